#pragma once

#include <cstdint>
#include <string>

#include "line/LineObserver.h"
#include "line/posix/AdapterInfo.h"
#include "line/posix/LowLatency.h"

// What the line tells when it has opened strDevice for strPort (as the port
// list or the command line named it), after the request for low latency: the
// USB adapter behind it and, when that adapter will be slow, the notice for
// the operator. Both are empty for pseudo-terminals and on-board UARTs.
LineOpening DescribeOpening(const std::string& strPort, const std::string& strDevice, int32_t nBaud,
                            LowLatency latency,
                            const DeviceRoots& roots = DeviceRootsFromEnvironment());
