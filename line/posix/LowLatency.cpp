#include "line/posix/LowLatency.h"

#include <linux/serial.h>
#include <sys/ioctl.h>

LowLatency RequestLowLatency(int nFd) {
    serial_struct info{};
    if (ioctl(nFd, TIOCGSERIAL, &info) != 0)
        return LowLatency::NotApplicable;
    if (info.flags & ASYNC_LOW_LATENCY)
        return LowLatency::Granted;
    info.flags |= ASYNC_LOW_LATENCY;
    if (ioctl(nFd, TIOCSSERIAL, &info) != 0)
        return LowLatency::Refused;
    // Some drivers take the request and drop the flag: read it back.
    serial_struct after{};
    if (ioctl(nFd, TIOCGSERIAL, &after) != 0 || !(after.flags & ASYNC_LOW_LATENCY))
        return LowLatency::Refused;
    return LowLatency::Granted;
}
