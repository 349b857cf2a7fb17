#pragma once

#include <cstdint>

#include "console/RunContext.h"

// Opens the line with its settings. When the driver refuses the line
// configuration the operator sees "Serial_Comm_Error\n" first (the caller
// may add its own box); other refusals are the caller's to report.
bool ConnectLine(CSComDoc& line, CWindowLayer& window);

// Closes the line, opens it again at nRate and wakes the module with a CR at
// the new rate (the module was told to switch first). A line that does not
// reopen shows up as silence, or at once when its device is gone.
void ReopenLineAt(const CRunContext& ctx, int32_t nRate);
