#include "testing/PtyPair.h"

#include <chrono>
#include <fcntl.h>
#include <filesystem>
#include <poll.h>
#include <pty.h>
#include <sys/ioctl.h>
#include <termios.h>
#include <thread>
#include <unistd.h>

#include "common/BaudRates.h"

namespace {
using Clock = std::chrono::steady_clock;
constexpr auto kPatience = std::chrono::seconds(5);

int CountEntries(const char* pszDir) {
    int n = 0;
    for (auto it = std::filesystem::directory_iterator(pszDir);
         it != std::filesystem::directory_iterator(); ++it)
        ++n;
    return n;
}
} // namespace

CPtyPair::CPtyPair(bool bRaw9600) {
    char name[128] = {};
    termios raw{};
    cfmakeraw(&raw);
    cfsetspeed(&raw, B9600);
    if (openpty(&m_nMaster, &m_nSlave, name, bRaw9600 ? &raw : nullptr, nullptr) == 0)
        m_strSlave = name;
}

CPtyPair::~CPtyPair() {
    if (m_nSlave >= 0)
        close(m_nSlave);
    if (m_nMaster >= 0)
        close(m_nMaster);
}

void CPtyPair::Send(const std::string& text) const {
    size_t nDone = 0;
    while (nDone < text.size()) {
        const ssize_t n = write(m_nMaster, text.data() + nDone, text.size() - nDone);
        if (n > 0) {
            nDone += static_cast<size_t>(n);
            continue;
        }
        pollfd pfd{m_nMaster, POLLOUT, 0};
        if (poll(&pfd, 1, 1000) <= 0)
            return;
    }
}

void CPtyPair::Send(const std::vector<unsigned char>& bytes) const {
    Send(std::string(bytes.begin(), bytes.end()));
}

std::string CPtyPair::Receive(int nMs) const {
    std::string out;
    pollfd pfd{m_nMaster, POLLIN, 0};
    while (poll(&pfd, 1, nMs) > 0 && (pfd.revents & POLLIN)) {
        char buf[4096];
        const ssize_t n = read(m_nMaster, buf, sizeof buf);
        if (n <= 0)
            break;
        out.append(buf, static_cast<size_t>(n));
    }
    return out;
}

std::string CPtyPair::ReceiveWaiting(int nMs) const {
    pollfd pfd{m_nMaster, POLLIN, 0};
    if (poll(&pfd, 1, nMs) <= 0 || !(pfd.revents & POLLIN))
        return {};
    return Receive(0);
}

std::vector<unsigned char> CPtyPair::ReceiveBytes(size_t nCount) const {
    std::vector<unsigned char> bytes;
    const auto giveUp = Clock::now() + kPatience;
    while (bytes.size() < nCount && Clock::now() < giveUp) {
        pollfd pfd{m_nMaster, POLLIN, 0};
        if (poll(&pfd, 1, 100) <= 0)
            continue;
        unsigned char chunk[4096];
        const ssize_t n = read(m_nMaster, chunk, std::min(sizeof chunk, nCount - bytes.size()));
        if (n > 0)
            bytes.insert(bytes.end(), chunk, chunk + n);
    }
    return bytes;
}

void CPtyPair::CloseMaster() {
    if (m_nMaster >= 0)
        close(m_nMaster);
    m_nMaster = -1;
}

size_t CPtyPair::FillTowardsMaster() {
    const int nFlags = fcntl(m_nSlave, F_GETFL);
    fcntl(m_nSlave, F_SETFL, nFlags | O_NONBLOCK);
    std::vector<unsigned char> block(4096, 'f');
    size_t nTotal = 0;
    // The line moves bytes on to the master in the background: full means
    // no room even after a pause.
    for (;;) {
        const ssize_t n = write(m_nSlave, block.data(), block.size());
        if (n > 0) {
            nTotal += static_cast<size_t>(n);
            continue;
        }
        pollfd pfd{m_nSlave, POLLOUT, 0};
        if (poll(&pfd, 1, 200) <= 0)
            break;
    }
    fcntl(m_nSlave, F_SETFL, nFlags);
    return nTotal;
}

int CPtyPair::QueuedAtSlave() const {
    int n = 0;
    ioctl(m_nSlave, FIONREAD, &n);
    return n;
}

bool CPtyPair::WaitQueuedAtSlave(int nCount) const {
    const auto giveUp = Clock::now() + kPatience;
    while (QueuedAtSlave() < nCount) {
        if (Clock::now() > giveUp)
            return false;
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    return true;
}

int32_t CPtyPair::LineRate() const {
    termios tio{};
    int32_t nBaud = -1;
    if (tcgetattr(m_nSlave, &tio) != 0 || !SpeedToBaud(cfgetospeed(&tio), nBaud))
        return -1;
    return nBaud;
}

int CountOpenDescriptors() {
    return CountEntries("/proc/self/fd");
}

int CountThreads() {
    return CountEntries("/proc/self/task");
}

int CountThreadsSettled(int nExpected) {
    const auto giveUp = Clock::now() + std::chrono::seconds(2);
    int n = CountThreads();
    while (n != nExpected && Clock::now() < giveUp) {
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
        n = CountThreads();
    }
    return n;
}
