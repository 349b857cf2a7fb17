#include "PtyPeer.h"

#include <chrono>
#include <fcntl.h>
#include <filesystem>
#include <poll.h>
#include <pty.h>
#include <stdexcept>
#include <sys/ioctl.h>
#include <thread>
#include <unistd.h>

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

CPtyPeer::CPtyPeer() {
    if (openpty(&m_nMaster, &m_nSlave, nullptr, nullptr, nullptr) != 0)
        throw std::runtime_error("openpty failed");
    m_strSlavePath = ptsname(m_nMaster);
}

CPtyPeer::~CPtyPeer() {
    close(m_nSlave);
    if (m_nMaster >= 0)
        close(m_nMaster);
}

void CPtyPeer::Send(const std::vector<unsigned char>& bytes) {
    size_t nDone = 0;
    while (nDone < bytes.size()) {
        ssize_t n = write(m_nMaster, bytes.data() + nDone, bytes.size() - nDone);
        if (n <= 0)
            throw std::runtime_error("write to the pty master failed");
        nDone += static_cast<size_t>(n);
    }
}

void CPtyPeer::Send(const std::string& text) {
    Send(std::vector<unsigned char>(text.begin(), text.end()));
}

std::vector<unsigned char> CPtyPeer::Receive(size_t nCount) {
    std::vector<unsigned char> bytes;
    const auto giveUp = Clock::now() + kPatience;
    while (bytes.size() < nCount && Clock::now() < giveUp) {
        pollfd pfd{m_nMaster, POLLIN, 0};
        if (poll(&pfd, 1, 100) <= 0)
            continue;
        unsigned char chunk[4096];
        ssize_t n = read(m_nMaster, chunk, std::min(sizeof chunk, nCount - bytes.size()));
        if (n > 0)
            bytes.insert(bytes.end(), chunk, chunk + n);
    }
    return bytes;
}

void CPtyPeer::CloseMaster() {
    close(m_nMaster);
    m_nMaster = -1;
}

size_t CPtyPeer::FillTowardsMaster() {
    const int nFlags = fcntl(m_nSlave, F_GETFL);
    fcntl(m_nSlave, F_SETFL, nFlags | O_NONBLOCK);
    std::vector<unsigned char> block(4096, 'f');
    size_t nTotal = 0;
    // The line moves bytes on to the master in the background: full means
    // no room even after a pause.
    for (;;) {
        ssize_t n = write(m_nSlave, block.data(), block.size());
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

int CPtyPeer::QueuedAtSlave() const {
    int n = 0;
    ioctl(m_nSlave, FIONREAD, &n);
    return n;
}

bool CPtyPeer::WaitQueuedAtSlave(int nCount) const {
    const auto giveUp = Clock::now() + kPatience;
    while (QueuedAtSlave() < nCount) {
        if (Clock::now() > giveUp)
            return false;
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    return true;
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
