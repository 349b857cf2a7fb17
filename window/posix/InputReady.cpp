#include "window/WaitReadable.h"

#include <poll.h>

bool InputReady(LineHandle hInput, int nMs) {
    if (hInput == kNoLineHandle)
        return false;
    pollfd pfd{hInput, POLLIN, 0};
    return poll(&pfd, 1, nMs) > 0 && (pfd.revents & POLLIN);
}
