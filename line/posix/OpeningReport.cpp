#include "line/posix/OpeningReport.h"

#include "line/PortName.h"
#include "line/posix/SlowAdapter.h"

LineOpening DescribeOpening(const std::string& strPort, const std::string& strDevice, int32_t nBaud,
                            LowLatency latency, const DeviceRoots& roots) {
    LineOpening opening;
    opening.strDevice = strDevice;
    opening.nBaud = nBaud;
    // A path names the node it leads to (a by-id link, ttyUSB0); a short name
    // is the tty, even where the test's device tree makes it a link.
    const std::string strName = PortOfEntry(strPort);
    const std::string strTty =
        TtyOfPort(strName.find('/') == std::string::npos ? strName : strDevice);
    const AdapterInfo info = ReadAdapter(strTty, roots);
    opening.strAdapter = AdapterDescription(info);
    opening.strSlowAdapter = SlowAdapterNotice(strTty, info, latency);
    return opening;
}
