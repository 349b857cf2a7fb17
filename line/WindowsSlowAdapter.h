#pragma once

#include <string>

// The line for the operator when the FTDI adapter on strComName ("COM7")
// holds received bytes for nLatencyMs (its latency timer, -1 when unknown)
// above kFastLatencyMs, with the setting Windows offers to change it. Empty
// when the timer is fast or unknown.
std::string WindowsSlowAdapterNotice(const std::string& strComName, int nLatencyMs);
