#include "line/posix/TermiosSettings.h"

#include <cerrno>
#include <unistd.h>

namespace {
constexpr cc_t kXon = 0x11;  // DC1
constexpr cc_t kXoff = 0x13; // DC3

// Raw line: every byte passes unchanged both ways, nothing is echoed, no
// byte raises a signal or ends a line. Parity and character size are left to
// the settings (unlike cfmakeraw, which would also drop the parity).
void MakeRaw(termios& tio) {
    tio.c_iflag &= ~(IGNBRK | BRKINT | PARMRK | ISTRIP | INLCR | IGNCR | ICRNL | IXANY);
    tio.c_oflag &= ~OPOST;
    tio.c_lflag &= ~(ECHO | ECHONL | ICANON | ISIG | IEXTEN);
    tio.c_cflag |= CLOCAL | CREAD;
    // Reads return at once with whatever is queued.
    tio.c_cc[VMIN] = 0;
    tio.c_cc[VTIME] = 0;
}

bool ApplyCharSize(termios& tio, int32_t nDataBits) {
    tcflag_t size;
    switch (nDataBits & 0xFF) {
    case 5:
        size = CS5;
        break;
    case 6:
        size = CS6;
        break;
    case 7:
        size = CS7;
        break;
    case 8:
        size = CS8;
        break;
    default:
        return false;
    }
    tio.c_cflag = (tio.c_cflag & ~CSIZE) | size;
    return true;
}

void ApplyParity(termios& tio, int32_t nParity) {
    constexpr tcflag_t kParityBits = PARENB | PARODD | CMSPAR;
    switch (nParity) {
    case 0: // none
        tio.c_cflag &= ~kParityBits;
        break;
    case 1: // even
        tio.c_cflag = (tio.c_cflag & ~kParityBits) | PARENB;
        break;
    case 2: // odd
        tio.c_cflag = (tio.c_cflag & ~kParityBits) | PARENB | PARODD;
        break;
    case 3: // mark: the parity bit is always 1
        tio.c_cflag = (tio.c_cflag & ~kParityBits) | PARENB | CMSPAR | PARODD;
        break;
    case 4: // space: the parity bit is always 0
        tio.c_cflag = (tio.c_cflag & ~kParityBits) | PARENB | CMSPAR;
        break;
    default: // keep what the driver had
        break;
    }
    // Received parity is checked whatever the mode.
    tio.c_iflag |= INPCK;
}

void ApplyStopBits(termios& tio, int32_t nStopBits) {
    switch (nStopBits) {
    case 0:
        tio.c_cflag &= ~CSTOPB;
        break;
    case 1: // one and a half: Linux offers one or two only, so two
    case 2:
        tio.c_cflag |= CSTOPB;
        break;
    default: // keep what the driver had
        break;
    }
}

void ApplyFlowControl(termios& tio, const LineSettings& settings) {
    if (settings.bRtsCts & 1)
        tio.c_cflag |= CRTSCTS;
    else
        tio.c_cflag &= ~CRTSCTS;
    // The DTR/DSR handshake has no termios counterpart; bDtrDsr does not reach
    // the line, DTR simply stays up while the port is open.
    if (settings.bXonXoff & 1)
        tio.c_iflag |= IXON | IXOFF;
    else
        tio.c_iflag &= ~(IXON | IXOFF);
    // The driver keeps its own XOFF thresholds; there is no limit to set here.
    tio.c_cc[VSTART] = kXon;
    tio.c_cc[VSTOP] = kXoff;
}
} // namespace

bool ApplyLineSettings(termios& tio, const LineSettings& settings) {
    speed_t speed;
    if (!BaudToSpeed(settings.nBaud, speed))
        return false;
    if (!ApplyCharSize(tio, settings.nDataBits))
        return false;
    MakeRaw(tio);
    cfsetospeed(&tio, speed);
    cfsetispeed(&tio, speed);
    ApplyParity(tio, settings.nParity);
    ApplyStopBits(tio, settings.nStopBits);
    ApplyFlowControl(tio, settings);
    return true;
}

bool ConfigureLine(int nFd, const LineSettings& settings) {
    termios tio{};
    if (tcgetattr(nFd, &tio) != 0)
        return false;
    if (!ApplyLineSettings(tio, settings))
        return false;
    int nResult;
    do {
        nResult = tcsetattr(nFd, TCSANOW, &tio);
    } while (nResult != 0 && errno == EINTR);
    if (nResult != 0)
        return false;
    // tcsetattr succeeds when any part was taken; a rate the hardware cannot
    // run shows only in what the driver reports back.
    termios taken{};
    if (tcgetattr(nFd, &taken) != 0)
        return false;
    return cfgetospeed(&taken) == cfgetospeed(&tio) && cfgetispeed(&taken) == cfgetispeed(&tio);
}
