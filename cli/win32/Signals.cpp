#include "cli/Signals.h"

#include <windows.h>

#include <atomic>

#include "cli/ExitCodes.h"
#include "cli/win32/ConsoleRestore.h"

namespace {
std::atomic<int> g_nStops{0};

// As _exit on Linux: the run on the main thread may hold the C runtime's
// locks, which an ordinary exit would wait for. The console is put back
// first; the sleep request ends with the thread that made it.
void EndAtOnce() {
    RestoreConsole();
    TerminateProcess(GetCurrentProcess(), kExitStopped);
}

// Runs on a thread the system starts for the event.
BOOL WINAPI OnConsoleControl(DWORD dwEvent) {
    switch (dwEvent) {
    case CTRL_C_EVENT:
        if (g_nStops.fetch_add(1) == 0)
            return TRUE;
        break;
    case CTRL_BREAK_EVENT:
    case CTRL_CLOSE_EVENT:
        break;
    default:
        return FALSE; // log-off and shut-down: the system's own handling
    }
    EndAtOnce();
    return TRUE;
}
} // namespace

CStopSignals::CStopSignals() {
    g_nStops = 0;
    SetConsoleCtrlHandler(OnConsoleControl, TRUE);
}

CStopSignals::~CStopSignals() {
    SetConsoleCtrlHandler(OnConsoleControl, FALSE);
}

bool CStopSignals::Requested() {
    return g_nStops != 0;
}
