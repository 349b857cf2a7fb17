#include "line/PortName.h"

#include <filesystem>

namespace fs = std::filesystem;

namespace {
const char kSeparator[] = " \xE2\x80\x94 "; // " — "
} // namespace

std::string PortOfEntry(const std::string& strEntry) {
    const std::string strSimLink = SimulatorPortOfEntry(strEntry);
    if (!strSimLink.empty())
        return strSimLink;
    return strEntry.substr(0, strEntry.find(kSeparator));
}

std::string PortEntryText(const std::string& strTty, const std::string& strDescription) {
    return strDescription.empty() ? strTty : strTty + kSeparator + strDescription;
}

std::string TtyOfPort(const std::string& strPort) {
    const std::string strName = PortOfEntry(strPort);
    static const char* const kComPorts[] = {"COM1", "COM2", "COM3", "COM4"};
    for (int i = 0; i < 4; ++i) {
        if (strName == kComPorts[i])
            return "ttyS" + std::to_string(i);
    }
    if (strName.find('/') == std::string::npos)
        return strName;
    std::error_code ec;
    const fs::path node = fs::canonical(strName, ec);
    return (ec ? fs::path(strName) : node).filename().string();
}
