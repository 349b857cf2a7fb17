#include <cerrno>

#include "console/LineReasons.h"
#include "line/LineErrorText.h"

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
        return strDevice + ": " + LineErrorText(nErrno);
    }
}
