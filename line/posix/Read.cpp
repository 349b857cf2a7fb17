#include "line/posix/PortState.h"

#include <algorithm>
#include <sys/ioctl.h>
#include <unistd.h>

int32_t CLinePort::Read(uint8_t* pBuffer, int32_t nCapacity, int& nLoss) {
    const int nFd = m_pState->nFd;
    int nQueued = 0;
    // A hung-up line refuses this with EIO, and keeps reading nothing.
    if (ioctl(nFd, FIONREAD, &nQueued) != 0) {
        nLoss = LossOfErrno(errno);
        return 0;
    }
    if (nQueued <= 0)
        return 0;
    const int32_t nWanted = std::min(nCapacity, static_cast<int32_t>(nQueued));
    ssize_t nRead;
    do {
        nRead = read(nFd, pBuffer, static_cast<size_t>(nWanted));
    } while (nRead < 0 && errno == EINTR);
    if (nRead < 0)
        nLoss = LossOfErrno(errno);
    return nRead > 0 ? static_cast<int32_t>(nRead) : 0;
}
