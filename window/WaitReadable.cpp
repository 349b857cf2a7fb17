#include "window/WaitReadable.h"

#include <chrono>
#include <poll.h>
#include <thread>

bool WaitReadable(int nFd, int nMs) {
    using Clock = std::chrono::steady_clock;
    const auto deadline = Clock::now() + std::chrono::milliseconds(nMs);
    if (nFd >= 0) {
        pollfd pfd{nFd, POLLIN, 0};
        int n = poll(&pfd, 1, nMs);
        if (n > 0 && (pfd.revents & POLLIN))
            return true;
    }
    std::this_thread::sleep_until(deadline);
    return false;
}
