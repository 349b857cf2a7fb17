#pragma once

#include "SimClient.h"

#include <string>
#include <vector>

// Steps of the legacy dialogue as a technician would type them.
std::string ResetIntoBootLoader(CSimClient& client); // "reset", fifty b letters; up to "Login > "
std::string LogInToBootLoader(CSimClient& client);   // root / vexa; up to "selection"
void SendRecords(CSimClient& client, const std::vector<std::string>& lines);
