#pragma once

#include <string>

#include "line/AdapterLatency.h"

// The line for the operator when the FTDI adapter behind strCom ("COM7")
// holds received bytes for nLatencyMs, above kFastLatencyMs, and so slows the
// upload; with the way to shorten its timer. Empty when the timer is fast or
// unknown (-1).
std::string SlowAdapterNotice(const std::string& strCom, int nLatencyMs);
