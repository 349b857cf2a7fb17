#include "line/WindowsSlowAdapter.h"

#include "line/AdapterLatency.h"

std::string WindowsSlowAdapterNotice(const std::string& strComName, int nLatencyMs) {
    if (nLatencyMs <= kFastLatencyMs)
        return {};
    return "The USB adapter on " + strComName + " holds received bytes for " +
           std::to_string(nLatencyMs) +
           " ms before passing them on, so the upload will be slower. To speed it up: Device "
           "Manager \xE2\x86\x92 Ports (COM & LPT) \xE2\x86\x92 " +
           strComName +
           " \xE2\x86\x92 Port Settings \xE2\x86\x92 Advanced \xE2\x86\x92 Latency Timer "
           "(msec): 1, then start the upgrade again.";
}
