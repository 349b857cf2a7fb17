#include <windows.h>

#include "console/LineReasons.h"
#include "line/LineErrorText.h"

std::string OpenFailureReason(int nError, const std::string& strDevice) {
    switch (nError) {
    case 0:
        return {};
    case ERROR_FILE_NOT_FOUND:
    case ERROR_PATH_NOT_FOUND:
    case ERROR_DEVICE_NOT_CONNECTED:
        return "There is no device " + strDevice + ": check the cable and the port chosen.";
    case ERROR_ACCESS_DENIED: // what Windows answers for a port another program holds
    case ERROR_SHARING_VIOLATION:
        return strDevice + " is in use by another program.";
    default:
        return strDevice + ": " + LineErrorText(nError);
    }
}
