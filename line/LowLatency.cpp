#include "line/LowLatency.h"

#include <linux/serial.h>
#include <sys/ioctl.h>

void RequestLowLatency(int nFd) {
    serial_struct info{};
    if (ioctl(nFd, TIOCGSERIAL, &info) != 0)
        return;
    if (info.flags & ASYNC_LOW_LATENCY)
        return;
    info.flags |= ASYNC_LOW_LATENCY;
    ioctl(nFd, TIOCSSERIAL, &info); // refused quietly where the driver has no such mode
}
