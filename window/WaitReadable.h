#pragma once

#include "line/LineHandle.h"

// Waits up to nMs for input on the line's handle. True as soon as input is
// there; false after the full time. A hung-up or failed line (a device that
// went away) still takes the full time, so a dead line counts as silence
// rather than spinning. kNoLineHandle simply waits.
bool WaitReadable(LineHandle hInput, int nMs);

// Waits up to nMs for input on the line's handle, the platform's way
// (window/posix, window/win32): true as soon as input is there, false when the
// time is up or the handle failed, then at once. kNoLineHandle is false at once.
bool InputReady(LineHandle hInput, int nMs);
