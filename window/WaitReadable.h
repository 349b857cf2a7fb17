#pragma once

// Waits up to nMs for input on nFd. True as soon as input is there; false
// after the full time. A hung-up or failed descriptor (a device that went
// away) still takes the full time, so a dead line counts as silence rather
// than spinning. A negative nFd simply waits.
bool WaitReadable(int nFd, int nMs);
