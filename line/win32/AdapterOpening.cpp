#include "line/PortName.h"
#include "line/WindowsSlowAdapter.h"
#include "line/win32/OpeningReport.h"
#include "line/win32/WindowsPorts.h"

namespace {
// What Windows calls the port's device: the list entry's text after the
// dash ("USB Serial Port (FTDI, A10K3J2Q)"), empty when it has none.
std::string AdapterOfCom(const std::string& strCom) {
    for (const std::string& strEntry : WindowsSerialPortEntries()) {
        if (PortOfEntry(strEntry) != strCom || strEntry.size() == strCom.size())
            continue;
        const size_t nText = strEntry.find(' ', strCom.size() + 1);
        return nText == std::string::npos ? std::string() : strEntry.substr(nText + 1);
    }
    return {};
}
} // namespace

LineOpening DescribeOpening(const std::string& strPort, const std::string& strDevice,
                            int32_t nBaud) {
    LineOpening opening;
    opening.strDevice = strDevice;
    opening.nBaud = nBaud;
    const std::string strCom = ComNameOfPort(strPort);
    opening.strAdapter = AdapterOfCom(strCom);
    opening.strSlowAdapter = WindowsSlowAdapterNotice(strCom, FtdiLatencyTimerMs(strCom));
    return opening;
}
