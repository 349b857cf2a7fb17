#include "line/posix/ModemLines.h"

#include <sys/ioctl.h>

namespace {
constexpr int kLines = TIOCM_DTR | TIOCM_RTS;
} // namespace

void RaiseModemLines(int nFd) {
    int nBits = kLines;
    ioctl(nFd, TIOCMBIS, &nBits); // ENOTTY/EINVAL on a pseudo-terminal
}

void DropModemLines(int nFd) {
    int nBits = kLines;
    ioctl(nFd, TIOCMBIC, &nBits);
}
