#include "line/posix/ExclusiveOpen.h"

#include <cerrno>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/ioctl.h>
#include <unistd.h>

int OpenExclusive(const std::string& strPath, int& nError) {
    int nFd;
    do {
        nFd = open(strPath.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
    } while (nFd < 0 && errno == EINTR);
    if (nFd < 0) {
        nError = errno;
        return -1;
    }
    // TIOCEXCL keeps other users' opens out but not root's, and not an open
    // file description this process already holds; the lock covers both.
    if (flock(nFd, LOCK_EX | LOCK_NB) != 0) {
        nError = errno == EWOULDBLOCK ? EBUSY : errno;
        close(nFd);
        return -1;
    }
    // Fails only on something that is not a terminal; the line configuration
    // refuses such a device next.
    ioctl(nFd, TIOCEXCL);
    nError = 0;
    return nFd;
}

void CloseExclusive(int nFd) {
    ioctl(nFd, TIOCNXCL);
    close(nFd); // also releases the lock
}
