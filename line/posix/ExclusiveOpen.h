#pragma once

#include <string>

// Opens a serial device for this process alone: non-blocking, never as the
// controlling terminal, not inherited by programs started later. Returns the
// descriptor, or -1 with the reason (errno; EBUSY when the device is in use)
// in nError.
int OpenExclusive(const std::string& strPath, int& nError);

// Gives the device up again and closes the descriptor.
void CloseExclusive(int nFd);
