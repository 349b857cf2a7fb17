#include "console/LineReasons.h"

#include "line/LineErrorText.h"

std::string LineLostReason(int nError, const std::string& strDevice) {
    if (nError == 0)
        return {};
    return "The serial adapter went away (" + strDevice + ": " + LineErrorText(nError) +
           "): check that it is plugged in and the cable is seated, then press Upgrade again.";
}
