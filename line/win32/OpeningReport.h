#pragma once

#include <cstdint>
#include <string>

#include "line/LineObserver.h"

// What the line tells when it has opened strDevice for strPort (as the port
// list or the command line named it): the adapter Windows names for the port
// and, when it is an FTDI adapter with a slow latency timer, the notice for
// the operator (both empty where Windows says nothing of the port).
LineOpening DescribeOpening(const std::string& strPort, const std::string& strDevice,
                            int32_t nBaud);

// The COM name of a port as the list or the command line names it:
// "COM7 — USB Serial Port (FTDI, A10K3J2Q)" and "\\.\COM7" are "COM7".
std::string ComNameOfPort(const std::string& strPort);
