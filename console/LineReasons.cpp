#include "console/LineReasons.h"

#include <cerrno>
#include <cstring>

std::string OpenFailureReason(int nErrno, const std::string& strDevice) {
    switch (nErrno) {
    case 0:
        return {};
    case ENOENT:
    case ENODEV:
    case ENXIO:
        return "There is no device " + strDevice + ": check the cable and the port chosen.";
    case EACCES:
    case EPERM:
        return "Permission denied on " + strDevice +
               ": the user must be a member of the dialout group (log out and in again "
               "after adding).";
    case EBUSY:
        return strDevice + " is in use by another program.";
    default:
        return strDevice + ": " + std::strerror(nErrno);
    }
}

std::string LineLostReason(int nErrno, const std::string& strDevice) {
    if (nErrno == 0)
        return {};
    return "The serial adapter went away (" + strDevice + ": " + std::strerror(nErrno) +
           "): check that it is plugged in and the cable is seated, then press Upgrade again.";
}
