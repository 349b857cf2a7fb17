#include "line/SComDoc.h"

std::string CSComDoc::DevicePath(const std::string& strPort) {
    static const char* const kComPorts[] = {"COM1", "COM2", "COM3", "COM4"};
    for (int i = 0; i < 4; ++i) {
        if (strPort == kComPorts[i])
            return "/dev/ttyS" + std::to_string(i);
    }
    if (strPort.find('/') != std::string::npos)
        return strPort;
    // Short names as the port list shows them, such as ttyUSB0.
    return "/dev/" + strPort;
}
