#include "line/win32/PortState.h"

#include "line/win32/DcbSettings.h"
#include "line/win32/OpeningReport.h"
#include "line/win32/Timeouts.h"

namespace {
constexpr DWORD kQueueBytes = 4096;

void CloseEvent(HANDLE& hEvent) {
    if (hEvent)
        CloseHandle(hEvent);
    hEvent = nullptr;
}

HANDLE NewEvent(bool bSignalled) {
    return CreateEventA(nullptr, TRUE, bSignalled ? TRUE : FALSE, nullptr);
}
} // namespace

CLinePort::CLinePort() : m_pState(std::make_unique<CState>()) {}

CLinePort::~CLinePort() {
    CloseEvent(m_pState->ovRead.hEvent);
    CloseEvent(m_pState->ovWrite.hEvent);
    CloseEvent(m_pState->hResume);
}

// Three events, each replaced: the read event, the write event and the
// resume event (created signalled), so repeated opens hold exactly three.
bool CLinePort::CreateEvents() {
    CState& s = *m_pState;
    CloseEvent(s.ovRead.hEvent);
    CloseEvent(s.ovWrite.hEvent);
    CloseEvent(s.hResume);
    s.ovRead.hEvent = NewEvent(false);
    s.ovWrite.hEvent = NewEvent(false);
    s.hResume = NewEvent(true);
    return HasEvents();
}

bool CLinePort::HasEvents() const {
    const CState& s = *m_pState;
    return s.ovRead.hEvent && s.ovWrite.hEvent && s.hResume;
}

// Exclusive, overlapped; the event mask, the queues and the time-outs are
// set before the line is configured.
int CLinePort::Open(const std::string& strDevice) {
    CState& s = *m_pState;
    const HANDLE hComm =
        CreateFileA(strDevice.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_EXISTING,
                    FILE_ATTRIBUTE_NORMAL | FILE_FLAG_OVERLAPPED, nullptr);
    if (hComm == INVALID_HANDLE_VALUE)
        return static_cast<int>(GetLastError());
    SetCommMask(hComm, EV_RXCHAR);
    SetupComm(hComm, kQueueBytes, kQueueBytes);
    SetQueuedOnlyTimeouts(hComm);
    s.hComm = hComm;
    s.bWakeReadInFlight = false;
    ResetEvent(s.hResume); // the watcher waits for port events until Close
    return 0;
}

bool CLinePort::Configure(const LineSettings& settings) {
    m_pState->nBaud = settings.nBaud;
    return ConfigurePort(m_pState->hComm, settings);
}

LineOpening CLinePort::Prepare(const std::string& strPort, const std::string& strDevice,
                               int32_t nBaud) {
    EscapeCommFunction(m_pState->hComm, SETDTR); // refused by pseudo-terminals: fine
    // Bytes may be there already: the first wait ends at once, and the first
    // read that finds nothing starts the wait for the next byte.
    SetEvent(m_pState->ovRead.hEvent);
    return DescribeOpening(strPort, strDevice, nBaud);
}

void CLinePort::Release() {
    CloseHandle(m_pState->hComm);
    m_pState->hComm = INVALID_HANDLE_VALUE;
}

// SetCommMask(0) ends a wait for port events; the resume event releases a
// parked watcher.
void CLinePort::WakeWatcher() {
    SetCommMask(m_pState->hComm, 0);
    SetEvent(m_pState->hResume);
}

void CLinePort::Close() {
    CState& s = *m_pState;
    EscapeCommFunction(s.hComm, CLRDTR);
    PurgeComm(s.hComm, PURGE_TXABORT | PURGE_RXABORT | PURGE_TXCLEAR | PURGE_RXCLEAR);
    if (s.bWakeReadInFlight) {
        // The purge aborts it on Windows, not on Wine: it must have ended
        // before its byte and its record can go.
        CancelIoEx(s.hComm, &s.ovRead);
        DWORD nGot = 0;
        GetOverlappedResult(s.hComm, &s.ovRead, &nGot, TRUE);
        s.bWakeReadInFlight = false;
    }
    Release();
}

LineHandle CLinePort::InputHandle() const {
    return m_pState->ovRead.hEvent;
}
