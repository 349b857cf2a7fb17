#include "line/PortName.h"
#include "line/SComDoc.h"
#include "line/posix/AdapterInfo.h"

std::string CSComDoc::DevicePath(const std::string& strPort) {
    return DevicePath(strPort, DeviceRootsFromEnvironment());
}

std::string CSComDoc::DevicePath(const std::string& strPort, const DeviceRoots& roots) {
    const std::string strName = PortOfEntry(strPort);
    if (strName.find('/') != std::string::npos)
        return strName;
    const std::string strTty = TtyOfPort(strName);
    // A USB adapter opens through its by-id link where it has one, looked up
    // now: the list may be older than the adapters plugged in.
    const std::string strStable = StableDevicePath(strTty, roots);
    if (!strStable.empty())
        return strStable;
    return roots.strDev + "/" + strTty;
}
