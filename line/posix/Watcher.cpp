#include "line/posix/PortState.h"

#include <poll.h>
#include <sys/resource.h>
#include <unistd.h>

#include "line/posix/ResumeEvent.h"

namespace {
// The watcher yields to the GUI thread.
void LowerOwnPriority() {
    const id_t nTid = static_cast<id_t>(gettid());
    errno = 0;
    const int nNice = getpriority(PRIO_PROCESS, nTid);
    if (errno == 0)
        setpriority(PRIO_PROCESS, nTid, nNice + 1);
}

// Parks until Close; false when Close has already begun.
bool ParkUntilResumed(int nResumeFd, const std::atomic<int32_t>& bConnected) {
    ResetResumeEvent(nResumeFd);
    // Close lowers the flag before it signals: a signal consumed by the reset
    // above shows here as a lowered flag, so the wait below cannot miss it.
    if (!bConnected)
        return false;
    WaitResumeEvent(nResumeFd);
    return true;
}
} // namespace

// Runs while the port is open. It waits for input and, once input has
// arrived, parks until the port is closed. It never reads: received bytes
// stay queued for ReadCommData. What it is for: the line's contract has always
// had a watcher of port events living exactly as long as the open port, and
// the open and close sequences (flag first, wake, join, then close) are built
// around it; it costs one parked thread and no work.
void CLinePort::Watch(const std::atomic<int32_t>& bConnected) {
    LowerOwnPriority();
    while (bConnected) {
        pollfd fds[2] = {{m_pState->nFd, POLLIN, 0}, {m_pState->nResumeFd, POLLIN, 0}};
        if (poll(fds, 2, -1) < 0) {
            if (errno == EINTR)
                continue;
            return;
        }
        if (fds[1].revents) {
            // Woken by Close (the loop ends) or by a stale signal.
            ResetResumeEvent(m_pState->nResumeFd);
            continue;
        }
        // Input, or a line that hung up: either way nothing more to wait for.
        if (fds[0].revents && !ParkUntilResumed(m_pState->nResumeFd, bConnected))
            return;
    }
}
