#include "PtyPeer.h"

#include <chrono>
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
