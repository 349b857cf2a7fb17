#pragma once

#include <windows.h>

// The time-outs every read and write runs under: a read returns at once with
// what is queued, a write completes or fails within 5000 ms.
bool SetQueuedOnlyTimeouts(HANDLE hComm);

// Only for the one-byte read that waits for input: it waits for the next
// byte without limit.
bool SetNextByteTimeouts(HANDLE hComm);
