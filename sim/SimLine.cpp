#include "sim/SimLine.h"

#include "common/BaudRates.h"

#include <algorithm>
#include <cerrno>
#include <cmath>
#include <fcntl.h>
#include <poll.h>
#include <pty.h>
#include <termios.h>
#include <unistd.h>

namespace {

void SetNonBlocking(int fd) {
    fcntl(fd, F_SETFL, fcntl(fd, F_GETFL) | O_NONBLOCK);
}

} // namespace

CSimLine::CSimLine(const SimLineSettings& settings) : m_settings(settings), m_rng(settings.nSeed) {}

CSimLine::~CSimLine() {
    Close();
}

bool CSimLine::Open() {
    char name[128] = {};
    if (openpty(&m_nMasterFd, &m_nSlaveFd, name, nullptr, nullptr) != 0) {
        return false;
    }
    // The line starts as a terminal program or the upgrader would leave it:
    // raw, 8N1, at the module's power-up rate, so that nothing is garbled
    // before anyone has chosen a rate.
    termios tio{};
    tcgetattr(m_nSlaveFd, &tio);
    cfmakeraw(&tio);
    tio.c_cflag |= CREAD | CLOCAL;
    cfsetispeed(&tio, B9600);
    cfsetospeed(&tio, B9600);
    tcsetattr(m_nSlaveFd, TCSANOW, &tio);
    SetNonBlocking(m_nMasterFd);
    if (pipe(m_aWakePipe) != 0) {
        return false;
    }
    SetNonBlocking(m_aWakePipe[0]);
    SetNonBlocking(m_aWakePipe[1]);
    m_strDevicePath = name;
    m_tStart = Clock::now();
    m_tLastCredit = m_tStart;
    m_tNextBurst = m_tStart;
    m_tNextFragment = m_tStart;
    m_tNextNoise = m_tStart + std::chrono::milliseconds(m_settings.nNoiseIntervalMs);
    m_ioThread = std::thread([this] { IoLoop(); });
    return true;
}

void CSimLine::RequestStop() {
    {
        std::lock_guard lock(m_mutex);
        m_bStopping = true;
    }
    m_cv.notify_all();
    Wake();
}

void CSimLine::Close() {
    RequestStop();
    if (m_ioThread.joinable()) {
        m_ioThread.join();
    }
    for (int* pFd : {&m_nMasterFd, &m_nSlaveFd, &m_aWakePipe[0], &m_aWakePipe[1]}) {
        if (*pFd >= 0) {
            close(*pFd);
            *pFd = -1;
        }
    }
}

int64_t CSimLine::ElapsedMs() const {
    return std::chrono::duration_cast<std::chrono::milliseconds>(Clock::now() - m_tStart).count();
}

int32_t CSimLine::ToolBaud() const {
    termios tio{};
    // On Linux the master reports the settings made on the slave side.
    if (m_nMasterFd < 0 || tcgetattr(m_nMasterFd, &tio) != 0) {
        return 0;
    }
    if ((tio.c_cflag & CSIZE) != CS8 || (tio.c_cflag & PARENB) != 0) {
        return 0;
    }
    int32_t nBaud = 0;
    return SpeedToBaud(cfgetospeed(&tio), nBaud) ? nBaud : 0;
}

bool CSimLine::LineMatches() const {
    return ToolBaud() == m_nModuleBaud.load();
}

uint8_t CSimLine::Garble(uint8_t c) const {
    // A byte framed at the wrong rate arrives as a different byte; the high
    // bit keeps the garbage from ever spelling a prompt or a command.
    return static_cast<uint8_t>(0x80 | ((c * 37 + 0x5B) & 0x7F));
}

double CSimLine::BytesPerSecond() const {
    return m_nModuleBaud.load() / 10.0;
}

void CSimLine::Wake() {
    if (m_aWakePipe[1] >= 0) {
        char c = 1;
        [[maybe_unused]] auto n = write(m_aWakePipe[1], &c, 1);
    }
}

int CSimLine::ReadByte(int nTimeoutMs) {
    std::unique_lock lock(m_mutex);
    auto ready = [this] { return m_bStopping || !m_rxQueue.empty(); };
    if (nTimeoutMs < 0) {
        m_cv.wait(lock, ready);
    } else {
        m_cv.wait_for(lock, std::chrono::milliseconds(nTimeoutMs), ready);
    }
    if (m_bStopping) {
        throw CSimStopped{};
    }
    if (m_rxQueue.empty()) {
        return -1;
    }
    int c = m_rxQueue.front();
    m_rxQueue.pop_front();
    return c;
}

void CSimLine::Write(const std::string& strText) {
    if (m_bSilent || m_bGone || strText.empty()) {
        return;
    }
    {
        std::lock_guard lock(m_mutex);
        m_txQueue.insert(m_txQueue.end(), strText.begin(), strText.end());
    }
    Wake();
}

void CSimLine::Drain() {
    std::unique_lock lock(m_mutex);
    m_cv.wait(lock, [this] { return m_bStopping || m_bGone || m_txQueue.empty(); });
    if (m_bStopping) {
        throw CSimStopped{};
    }
}

void CSimLine::Sleep(int nMs) {
    std::unique_lock lock(m_mutex);
    if (m_cv.wait_for(lock, std::chrono::milliseconds(std::max(nMs, 0)),
                      [this] { return m_bStopping.load(); })) {
        throw CSimStopped{};
    }
}

size_t CSimLine::PendingInput() {
    std::lock_guard lock(m_mutex);
    return m_rxQueue.size();
}

void CSimLine::FlushInput() {
    std::lock_guard lock(m_mutex);
    m_rxQueue.clear();
}

void CSimLine::SetModuleBaud(int32_t nBaud) {
    m_nModuleBaud = nBaud;
    Wake();
}

size_t CSimLine::SwitchModuleBaud(int32_t nBaud) {
    size_t nDropped = 0;
    {
        std::lock_guard lock(m_mutex);
        nDropped = m_rxQueue.size();
        m_rxQueue.clear();
        m_nModuleBaud = nBaud;
    }
    Wake();
    return nDropped;
}
