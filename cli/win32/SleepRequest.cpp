#include "cli/win32/SleepRequest.h"

#include <windows.h>

#include "cli/KeepAwake.h"

void CSleepRequest::OnRunStart(const RunStart&) {
    // The display may go dark; the system must not sleep and cut the line.
    m_bHeld = SetThreadExecutionState(ES_CONTINUOUS | ES_SYSTEM_REQUIRED) != 0;
}

void CSleepRequest::Release() {
    if (!m_bHeld)
        return;
    SetThreadExecutionState(ES_CONTINUOUS);
    m_bHeld = false;
}

std::unique_ptr<CRunListener> KeepAwakeDuringRuns() {
    return std::make_unique<CSleepRequest>();
}
