#include "line/SComDoc.h"

#include <system_error>

CSComDoc::CSComDoc() = default;

CSComDoc::~CSComDoc() {
    Close();
}

bool CSComDoc::CreatePortEvents() {
    // The watcher waits on the current events while the port is open; they
    // are replaced only between connections.
    if (m_bConnected)
        return m_port.HasEvents();
    return m_port.CreateEvents();
}

bool CSComDoc::Refuse(LineRefusal refusal) {
    m_lastRefusal = refusal;
    return false;
}

LineSettings CSComDoc::Settings() const {
    LineSettings settings;
    settings.nBaud = m_nBaud;
    settings.nDataBits = m_nDataBits;
    settings.nParity = m_nParity;
    settings.nStopBits = m_nStopBits;
    settings.bRtsCts = m_bRtsCts;
    settings.bXonXoff = m_bXonXoff;
    settings.bDtrDsr = m_bDtrDsr;
    return settings;
}

bool CSComDoc::Connect() {
    if (m_bConnected)
        return false;
    m_lastRefusal = LineRefusal::None;
    // Without its events the watcher could never be stopped.
    if (!m_port.HasEvents() && !CreatePortEvents())
        return Refuse(LineRefusal::WatcherNotStarted);

    const std::string strDevice = DevicePath(m_strPort);
    m_nLastOpenError = m_port.Open(strDevice);
    if (m_nLastOpenError != 0) {
        // A reopen that finds no device: the adapter went away meanwhile.
        if (const int nLoss = CLinePort::LossOfOpenFailure(m_nLastOpenError))
            m_nLineLost = nLoss;
        return Refuse(LineRefusal::DeviceNotOpened);
    }
    m_nLineLost = 0;

    if (!m_port.Configure(Settings())) {
        m_port.Release();
        return Refuse(LineRefusal::SettingsRefused);
    }

    m_bConnected = 1; // before the watcher starts, so that its loop runs
    try {
        m_watchThread = std::thread([this] { m_port.Watch(m_bConnected); });
    } catch (const std::system_error&) {
        m_bConnected = 0;
        m_port.Release();
        return Refuse(LineRefusal::WatcherNotStarted);
    }
    const LineOpening opening = m_port.Prepare(m_strPort, strDevice, m_nBaud);
    if (m_pObserver)
        m_pObserver->OnLineOpened(opening);
    return true;
}

void CSComDoc::Disconnect() {
    Close();
    m_nLineLost = 0;
}

// The order matters: the flag goes down first, then the watcher is woken
// (from its wait for port events or from its park) and joined, and only then
// is the device it waits on closed.
void CSComDoc::Close() {
    if (!m_bConnected)
        return;
    m_bConnected = 0;
    m_port.WakeWatcher();
    if (m_watchThread.joinable())
        m_watchThread.join();
    m_port.Close();
    if (m_pObserver)
        m_pObserver->OnLineClosed();
}

LineHandle CSComDoc::PollHandle() const {
    return m_bConnected && !m_nLineLost ? m_port.InputHandle() : kNoLineHandle;
}
