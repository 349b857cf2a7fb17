#include "line/SComDoc.h"

#include <algorithm>
#include <cerrno>
#include <sys/ioctl.h>
#include <unistd.h>

int CSComDoc::ReadCommData(uint8_t* pBuffer, int32_t nCapacity) {
    if (!m_bConnected || m_nLineLost || nCapacity <= 0)
        return 0;
    int nQueued = 0;
    // A hung-up line refuses this with EIO, and keeps reading nothing.
    if (ioctl(m_nFd, FIONREAD, &nQueued) != 0) {
        NoteLineFailure(errno);
        return 0;
    }
    if (nQueued <= 0)
        return 0;
    const int32_t nWanted = std::min(nCapacity, static_cast<int32_t>(nQueued));
    ssize_t nRead;
    do {
        nRead = read(m_nFd, pBuffer, static_cast<size_t>(nWanted));
    } while (nRead < 0 && errno == EINTR);
    if (nRead < 0)
        NoteLineFailure(errno);
    if (nRead <= 0)
        return 0;
    if (m_pObserver)
        m_pObserver->OnLineReceived(
            std::string_view(reinterpret_cast<const char*>(pBuffer), static_cast<size_t>(nRead)));
    return static_cast<int>(nRead);
}
