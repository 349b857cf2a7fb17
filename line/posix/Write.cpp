#include "line/posix/PortState.h"

#include <chrono>
#include <poll.h>
#include <unistd.h>

namespace {
using Clock = std::chrono::steady_clock;

// How long the line may take no byte before the next one is given up.
constexpr std::chrono::milliseconds kByteWait{1000};

enum class Writable { Yes, TimedOut, HungUp };

// Whether nFd takes output again before the deadline, or the line hung up.
Writable WaitWritable(int nFd, Clock::time_point deadline) {
    for (;;) {
        const auto remaining =
            std::chrono::ceil<std::chrono::milliseconds>(deadline - Clock::now()).count();
        if (remaining <= 0)
            return Writable::TimedOut;
        pollfd pfd{nFd, POLLOUT, 0};
        const int n = poll(&pfd, 1, static_cast<int>(remaining));
        if (n < 0 && errno == EINTR)
            continue;
        if (n > 0 && (pfd.revents & (POLLHUP | POLLERR)))
            return Writable::HungUp;
        return n > 0 && (pfd.revents & POLLOUT) ? Writable::Yes : Writable::TimedOut;
    }
}
} // namespace

// Hands the bytes to the line in as few writes as it takes. Where the line
// takes nothing for a whole second, or refuses a byte, that byte is lost and
// the rest goes on: the same outcome as writing them one by one, each with
// its own bounded wait. A line that went away takes nothing more.
int CLinePort::Write(const uint8_t* pBytes, size_t nCount) {
    const int nFd = m_pState->nFd;
    size_t nDone = 0;
    auto deadline = Clock::now() + kByteWait;
    while (nDone < nCount) {
        const ssize_t n = write(nFd, pBytes + nDone, nCount - nDone);
        if (n > 0) {
            nDone += static_cast<size_t>(n);
            if (nDone < nCount)
                deadline = Clock::now() + kByteWait;
            continue;
        }
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0 && errno == EAGAIN) {
            const Writable state = WaitWritable(nFd, deadline);
            if (state == Writable::Yes)
                continue;
            if (state == Writable::HungUp)
                return EIO;
        } else if (n < 0 && LossOfErrno(errno)) {
            return LossOfErrno(errno);
        }
        ++nDone; // dropped
        deadline = Clock::now() + kByteWait;
    }
    return 0;
}
