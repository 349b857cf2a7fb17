#pragma once

#include <cstdint>

#include "console/RunContext.h"

// Opens the line with its settings. When the driver refuses the line
// configuration the operator sees "Serial_Comm_Error\n" first (the caller
// may add its own box); other refusals are the caller's to report.
bool ConnectLine(CSComDoc& line, CWindowLayer& window);
