#pragma once

#include <string>

// Second lines for the boxes that tell the operator the line failed, saying
// what a technician can check. Empty when there is nothing to add.

// Why "Unable to open serial port.": the error of the open (errno on Linux,
// a Win32 error on Windows; console/posix, console/win32).
std::string OpenFailureReason(int nError, const std::string& strDevice);

// Why "Unable to Connect to Card" came at once: the line went away (its error).
std::string LineLostReason(int nError, const std::string& strDevice);
