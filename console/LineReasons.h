#pragma once

#include <string>

// Second lines for the boxes that tell the operator the line failed, saying
// what a technician can check. Empty when there is nothing to add.

// Why "Unable to open serial port.": the errno of the open.
std::string OpenFailureReason(int nErrno, const std::string& strDevice);

// Why "Unable to Connect to Card" came at once: the line went away (errno).
std::string LineLostReason(int nErrno, const std::string& strDevice);
