#pragma once

#include <string>

#include "line/AdapterLatency.h"
#include "line/posix/AdapterInfo.h"
#include "line/posix/LowLatency.h"

// The line for the operator when the USB adapter on strTty will hold the
// module's echo back and so slow the upload: its latency timer stays above
// kFastLatencyMs, or, for an adapter without a timer to read, the driver
// refused low latency. Empty when the adapter is fast or not USB at all.
std::string SlowAdapterNotice(const std::string& strTty, const AdapterInfo& info,
                              LowLatency latency);
