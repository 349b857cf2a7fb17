#include "line/win32/Timeouts.h"

namespace {
constexpr DWORD kWriteTotalMs = 5000;
} // namespace

bool SetQueuedOnlyTimeouts(HANDLE hComm) {
    COMMTIMEOUTS timeouts{};
    timeouts.ReadIntervalTimeout = MAXDWORD; // with both totals 0: what is queued, at once
    timeouts.WriteTotalTimeoutConstant = kWriteTotalMs;
    return SetCommTimeouts(hComm, &timeouts) != 0;
}

bool SetNextByteTimeouts(HANDLE hComm) {
    COMMTIMEOUTS timeouts{}; // no read time-out at all: the byte asked for, when it comes
    timeouts.WriteTotalTimeoutConstant = kWriteTotalMs;
    return SetCommTimeouts(hComm, &timeouts) != 0;
}
