#include "line/SComDoc.h"

#include <cerrno>
#include <system_error>
#include <termios.h>

#include "line/ExclusiveOpen.h"
#include "line/LineSettings.h"
#include "line/LowLatency.h"
#include "line/ModemLines.h"
#include "line/OpeningReport.h"
#include "line/ResumeEvent.h"

CSComDoc::CSComDoc() = default;

CSComDoc::~CSComDoc() {
    Close();
    CloseResumeEvent(m_nResumeFd);
}

bool CSComDoc::CreatePortEvents() {
    // The watcher waits on the current event while the port is open; it is
    // replaced only between connections.
    if (m_bConnected)
        return m_nResumeFd >= 0;
    CloseResumeEvent(m_nResumeFd);
    m_nResumeFd = CreateResumeEvent();
    return m_nResumeFd >= 0;
}

bool CSComDoc::Refuse(LineRefusal refusal) {
    m_lastRefusal = refusal;
    return false;
}

bool CSComDoc::Connect() {
    if (m_bConnected)
        return false;
    m_lastRefusal = LineRefusal::None;
    // Without its event the watcher could never be stopped.
    if (m_nResumeFd < 0 && !CreatePortEvents())
        return Refuse(LineRefusal::WatcherNotStarted);

    const std::string strDevice = DevicePath(m_strPort);
    const int nFd = OpenExclusive(strDevice, m_nLastOpenError);
    if (nFd < 0) {
        // A reopen that finds no device: the adapter went away meanwhile.
        NoteLineFailure(m_nLastOpenError == ENOENT ? ENODEV : m_nLastOpenError);
        return Refuse(LineRefusal::DeviceNotOpened);
    }
    m_nLineLost = 0;

    LineSettings settings;
    settings.nBaud = m_nBaud;
    settings.nDataBits = m_nDataBits;
    settings.nParity = m_nParity;
    settings.nStopBits = m_nStopBits;
    settings.bRtsCts = m_bRtsCts;
    settings.bXonXoff = m_bXonXoff;
    settings.bDtrDsr = m_bDtrDsr;
    if (!ConfigureLine(nFd, settings)) {
        CloseExclusive(nFd);
        return Refuse(LineRefusal::SettingsRefused);
    }

    ResetResumeEvent(m_nResumeFd);
    m_nFd = nFd;
    m_bConnected = 1; // before the watcher starts, so that its loop runs
    try {
        m_watchThread = std::thread(&CSComDoc::WatchPort, this);
    } catch (const std::system_error&) {
        m_bConnected = 0;
        m_nFd = -1;
        CloseExclusive(nFd);
        return Refuse(LineRefusal::WatcherNotStarted);
    }
    RaiseModemLines(nFd);
    const LowLatency latency = RequestLowLatency(nFd);
    if (m_pObserver)
        m_pObserver->OnLineOpened(DescribeOpening(m_strPort, strDevice, m_nBaud, latency));
    return true;
}

void CSComDoc::Disconnect() {
    Close();
    m_nLineLost = 0;
}

bool CSComDoc::NoteLineFailure(int nErrno) {
    switch (nErrno) {
    case EIO:   // a hung-up terminal: the far end or the adapter is gone
    case ENXIO: // the device behind the node is gone
    case ENODEV:
    case EPIPE:
        m_nLineLost = nErrno;
        return true;
    default:
        return false;
    }
}

// The order matters: the flag goes down first, then the watcher is woken
// (from its wait for input or from its park) and joined, and only then is the
// descriptor it polls closed.
void CSComDoc::Close() {
    if (!m_bConnected)
        return;
    m_bConnected = 0;
    SignalResumeEvent(m_nResumeFd);
    if (m_watchThread.joinable())
        m_watchThread.join();
    ResetResumeEvent(m_nResumeFd);
    DropModemLines(m_nFd);
    tcflush(m_nFd, TCIOFLUSH);
    CloseExclusive(m_nFd);
    m_nFd = -1;
    if (m_pObserver)
        m_pObserver->OnLineClosed();
}

int CSComDoc::PollHandle() const {
    return m_bConnected ? m_nFd : -1;
}
