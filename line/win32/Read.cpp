#include "line/win32/PortState.h"

#include "line/win32/Timeouts.h"

namespace {
// Reads what is queued, at most nCapacity bytes. Windows completes such a
// read at once; Wine holds a read of an empty queue until bytes come, so a
// read still pending found nothing queued: it is given up, and what it took
// meanwhile still counts.
int32_t ReadQueued(CLinePort::CState& s, uint8_t* pBuffer, int32_t nCapacity, int& nLoss) {
    DWORD nGot = 0;
    if (ReadFile(s.hComm, pBuffer, static_cast<DWORD>(nCapacity), &nGot, &s.ovRead))
        return static_cast<int32_t>(nGot);
    DWORD nError = GetLastError();
    if (nError != ERROR_IO_PENDING) {
        nLoss = LossOfWin32Error(nError);
        return 0;
    }
    CancelIoEx(s.hComm, &s.ovRead);
    if (!GetOverlappedResult(s.hComm, &s.ovRead, &nGot, TRUE)) {
        nError = GetLastError();
        if (nError != ERROR_OPERATION_ABORTED) // our own cancel
            nLoss = LossOfWin32Error(nError);
    }
    return static_cast<int32_t>(nGot);
}

// The byte the wake-up read brought, if it has come. False while it is still
// waiting, or when the adapter went away (nLoss).
bool TakeWakeRead(CLinePort::CState& s, uint8_t* pBuffer, int32_t& nRead, int& nLoss) {
    DWORD nGot = 0;
    if (!GetOverlappedResult(s.hComm, &s.ovRead, &nGot, FALSE)) {
        const DWORD nError = GetLastError();
        if (nError == ERROR_IO_INCOMPLETE)
            return false;
        s.bWakeReadInFlight = false;
        nLoss = LossOfWin32Error(nError);
        return nLoss == 0;
    }
    s.bWakeReadInFlight = false;
    if (nGot == 1)
        pBuffer[nRead++] = s.byteAhead;
    return true;
}
} // namespace

void ArmWakeRead(CLinePort::CState& s, int& nLoss) {
    if (!SetNextByteTimeouts(s.hComm)) {
        nLoss = LossOfWin32Error(GetLastError());
        ResetEvent(s.ovRead.hEvent); // a line that cannot be waited on waits the full time
        return;
    }
    DWORD nGot = 0;
    const BOOL bDone = ReadFile(s.hComm, &s.byteAhead, 1, &nGot, &s.ovRead);
    const DWORD nError = bDone ? ERROR_SUCCESS : GetLastError();
    SetQueuedOnlyTimeouts(s.hComm);
    if (bDone || nError == ERROR_IO_PENDING) {
        s.bWakeReadInFlight = true; // done at once: a byte came meanwhile
        return;
    }
    nLoss = LossOfWin32Error(nError);
    ResetEvent(s.ovRead.hEvent);
}

// The byte of the wake-up read first, then what else is queued. A read that
// leaves nothing queued starts the next wake-up read; one that filled the
// buffer leaves the read event signalled, since more may be waiting.
int32_t CLinePort::Read(uint8_t* pBuffer, int32_t nCapacity, int& nLoss) {
    CState& s = *m_pState;
    // Clears line errors (framing, parity, overrun) and says whether the
    // adapter is still there; its count of queued bytes is not to be trusted
    // (Wine), a read finds out instead.
    DWORD nErrors = 0;
    if (!ClearCommError(s.hComm, &nErrors, nullptr) &&
        (nLoss = LossOfWin32Error(GetLastError())) != 0)
        return 0;
    int32_t nRead = 0;
    if (s.bWakeReadInFlight && !TakeWakeRead(s, pBuffer, nRead, nLoss))
        return 0;
    if (nRead < nCapacity)
        nRead += ReadQueued(s, pBuffer + nRead, nCapacity - nRead, nLoss);
    if (nLoss)
        return nRead;
    if (nRead < nCapacity)
        ArmWakeRead(s, nLoss);
    else
        SetEvent(s.ovRead.hEvent);
    return nRead;
}
