#include "line/posix/ResumeEvent.h"

#include <cerrno>
#include <cstdint>
#include <poll.h>
#include <sys/eventfd.h>
#include <unistd.h>

int CreateResumeEvent() {
    return eventfd(0, EFD_CLOEXEC | EFD_NONBLOCK);
}

void SignalResumeEvent(int nFd) {
    const uint64_t nOne = 1;
    while (write(nFd, &nOne, sizeof nOne) < 0 && errno == EINTR) {
    }
}

void ResetResumeEvent(int nFd) {
    uint64_t nCount;
    while (read(nFd, &nCount, sizeof nCount) < 0 && errno == EINTR) {
    }
}

void WaitResumeEvent(int nFd) {
    pollfd pfd{nFd, POLLIN, 0};
    while (poll(&pfd, 1, -1) < 0 && errno == EINTR) {
    }
}

void CloseResumeEvent(int& nFd) {
    if (nFd >= 0)
        close(nFd);
    nFd = -1;
}
