#pragma once

#include "SimClient.h"
#include "TestImage.h"
#include "sim/ModuleSim.h"

#include <memory>
#include <string>

// An IP-Enabled Controller waiting at its monitor prompt, with fast flash.
SimOptions FastIpAtMonitor();
// "loads 10000" and the image's records with CR LF; returns what the monitor
// printed up to its prompt.
std::string LoadImage(CSimClient& client, const TestImage& image);
std::string Command(CSimClient& client, const std::string& strCommand);
bool Contains(const std::string& strText, const std::string& strPart);
