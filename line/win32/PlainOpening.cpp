#include "line/win32/OpeningReport.h"

// The build without Windows' port names (line/win32/WindowsPorts.cpp): the
// opening tells the device and the rate only.
LineOpening DescribeOpening(const std::string& strPort, const std::string& strDevice,
                            int32_t nBaud) {
    (void)strPort;
    LineOpening opening;
    opening.strDevice = strDevice;
    opening.nBaud = nBaud;
    return opening;
}
