#pragma once

#include <cerrno>

#include "line/LinePort.h"

// The open line on Linux: its descriptor and the eventfd that wakes the
// watcher (and releases it when parked).
struct CLinePort::CState {
    int nFd = -1;
    int nResumeFd = -1;
};

// The errno, when it says the device went away, else 0.
inline int LossOfErrno(int nErrno) {
    switch (nErrno) {
    case EIO:   // a hung-up terminal: the far end or the adapter is gone
    case ENXIO: // the device behind the node is gone
    case ENODEV:
    case EPIPE:
        return nErrno;
    default:
        return 0;
    }
}
