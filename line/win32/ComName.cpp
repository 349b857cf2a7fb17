#include "line/PortName.h"
#include "line/win32/OpeningReport.h"

std::string ComNameOfPort(const std::string& strPort) {
    const std::string strName = PortOfEntry(strPort);
    const size_t nSlash = strName.find_last_of("\\/");
    return nSlash == std::string::npos ? strName : strName.substr(nSlash + 1);
}
