#include "line/win32/PortState.h"

#include <algorithm>

namespace {
// How long the line may take no byte before the next one is given up.
constexpr DWORD kByteWaitMs = 1000;
// One write at a time hands the driver at most its queue.
constexpr size_t kChunkBytes = 4096;
constexpr int64_t kBitsPerByte = 10; // start, eight data bits, stop

// Writes one chunk; the bytes the driver took. The wait is bounded by a
// second beyond the chunk's time on the wire; a write still pending then is
// cancelled, and what it had sent counts.
DWORD WriteChunk(CLinePort::CState& s, const uint8_t* pBytes, DWORD nCount, int& nLoss) {
    DWORD nSent = 0;
    if (WriteFile(s.hComm, pBytes, nCount, &nSent, &s.ovWrite))
        return nSent;
    DWORD nError = GetLastError();
    if (nError != ERROR_IO_PENDING) {
        nLoss = LossOfWin32Error(nError);
        return 0;
    }
    const int64_t nWireMs = nCount * kBitsPerByte * 1000 / std::max<int64_t>(s.nBaud, 1);
    if (WaitForSingleObject(s.ovWrite.hEvent, kByteWaitMs + static_cast<DWORD>(nWireMs)) !=
        WAIT_OBJECT_0)
        CancelIoEx(s.hComm, &s.ovWrite);
    if (!GetOverlappedResult(s.hComm, &s.ovWrite, &nSent, TRUE)) {
        nError = GetLastError();
        if (nError != ERROR_OPERATION_ABORTED) // our own cancel
            nLoss = LossOfWin32Error(nError);
    }
    return nSent;
}
} // namespace

// Hands the bytes to the driver in as few writes as it takes. Where the line
// takes nothing within its bounded wait, or refuses a byte, that byte is lost
// and the rest goes on. A line that went away takes nothing more, and what
// it refused is not counted as sent.
int CLinePort::Write(const uint8_t* pBytes, size_t nCount) {
    size_t nDone = 0;
    while (nDone < nCount) {
        const DWORD nChunk = static_cast<DWORD>(std::min(nCount - nDone, kChunkBytes));
        int nLoss = 0;
        const DWORD nSent = WriteChunk(*m_pState, pBytes + nDone, nChunk, nLoss);
        if (nLoss)
            return nLoss;
        nDone += nSent > 0 ? nSent : 1; // nothing taken: this byte is dropped
    }
    return 0;
}
