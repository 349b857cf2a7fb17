#include "line/win32/PortState.h"

namespace {
// Waits for the next port event (EV_RXCHAR) or for Close (the resume
// event). The wait has ended before this returns: the driver writes the
// event word until then.
void WaitForPortEvent(HANDLE hComm, OVERLAPPED& ov, HANDLE hResume) {
    DWORD nMask = 0;
    if (WaitCommEvent(hComm, &nMask, &ov) || GetLastError() != ERROR_IO_PENDING)
        return;
    const HANDLE waits[2] = {ov.hEvent, hResume};
    if (WaitForMultipleObjects(2, waits, FALSE, INFINITE) != WAIT_OBJECT_0)
        CancelIoEx(hComm, &ov);
    DWORD nCount = 0;
    GetOverlappedResult(hComm, &ov, &nCount, TRUE);
}

// Parks until Close; false when Close has already begun.
bool ParkUntilResumed(HANDLE hResume, const std::atomic<int32_t>& bConnected) {
    ResetEvent(hResume);
    // Close lowers the flag before it signals: a signal consumed by the reset
    // above shows here as a lowered flag, so the wait below cannot miss it.
    if (!bConnected)
        return false;
    WaitForSingleObject(hResume, INFINITE);
    return true;
}
} // namespace

// Runs while the port is open, at a priority below the GUI thread's. It
// waits for a received character and then parks until the port is closed. It
// never reads: received bytes stay queued for ReadCommData. A wait that ends
// without the event parks as well: the mask cleared by Close, or a device
// that reports no events (Wine ends every such wait on a pseudo-terminal at
// once); waiting again would spin.
void CLinePort::Watch(const std::atomic<int32_t>& bConnected) {
    SetThreadPriority(GetCurrentThread(), THREAD_PRIORITY_BELOW_NORMAL);
    OVERLAPPED ov{};
    ov.hEvent = CreateEventA(nullptr, TRUE, FALSE, nullptr);
    if (!ov.hEvent)
        return;
    if (SetCommMask(m_pState->hComm, EV_RXCHAR)) {
        while (bConnected) {
            WaitForPortEvent(m_pState->hComm, ov, m_pState->hResume);
            if (!ParkUntilResumed(m_pState->hResume, bConnected))
                break;
        }
    }
    CloseHandle(ov.hEvent);
}
