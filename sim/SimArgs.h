#pragma once

#include "sim/ModuleSim.h"

#include <string>
#include <vector>

enum class SimArgsResult { Run, Help, Error };

// The command line of ktr84-modsim. On Error, strError says what was wrong.
SimArgsResult ParseSimArgs(const std::vector<std::string>& args, SimOptions& options,
                           std::string& strError);
std::string SimUsage();
// "transceiver", "controller" or "ip": the name used on the command line and
// in the announcement.
std::string SimModuleName(SimModule module);
