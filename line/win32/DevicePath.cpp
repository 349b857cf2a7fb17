#include "line/PortName.h"
#include "line/SComDoc.h"

std::string CSComDoc::DevicePath(const std::string& strPort) {
    const std::string strName = PortOfEntry(strPort);
    // A device name given whole ("\\.\COM12") is used as it stands.
    if (strName.find_first_of("\\/") != std::string::npos)
        return strName;
    return "\\\\.\\" + strName;
}
