#include "qt/PortList.h"
#include "common/SimAnnouncement.h"
#include "common/SimPortEntry.h"
#include "line/PortName.h"

#include <algorithm>
#include <cstdlib>
#include <filesystem>

namespace fs = std::filesystem;

namespace {
// "ttyUSB10" after "ttyUSB2": compare the letters, then the trailing number.
bool NaturalLess(const std::string& a, const std::string& b) {
    auto split = [](const std::string& s) {
        size_t nDigits = s.find_last_not_of("0123456789") + 1;
        std::string strNumber = s.substr(nDigits);
        return std::pair(s.substr(0, nDigits),
                         strNumber.empty() ? -1L : std::strtol(strNumber.c_str(), nullptr, 10));
    };
    return split(a) < split(b);
}

bool HasPrefix(const std::string& s, const char* pszPrefix) {
    return s.rfind(pszPrefix, 0) == 0;
}

} // namespace

std::vector<std::string> SerialDevices(const std::string& strDevDir) {
    std::vector<std::string> names;
    std::error_code ec;
    for (const auto& entry : fs::directory_iterator(strDevDir, ec)) {
        const std::string strName = entry.path().filename().string();
        if ((HasPrefix(strName, "ttyUSB") || HasPrefix(strName, "ttyACM")) &&
            entry.is_character_file(ec))
            names.push_back(strName);
    }
    std::sort(names.begin(), names.end(), NaturalLess);
    return names;
}

std::vector<std::string> SerialDeviceEntries(const DeviceRoots& roots) {
    std::vector<std::string> entries;
    for (const std::string& strName : SerialDevices(roots.strDev))
        entries.push_back(PortEntryText(strName, AdapterDescription(ReadAdapter(strName, roots))));
    return entries;
}

std::vector<std::string> RunningSimulators(const std::string& strFolder) {
    std::vector<std::string> entries;
    for (const SimAnnouncement& sim : FindAnnouncedSims(strFolder)) {
        const std::string strEntry = SimEntryText(sim.strName);
        entries.push_back(strEntry.empty() ? sim.strLinkPath : strEntry);
    }
    return entries;
}

std::vector<std::string> ExtraPorts() {
    std::vector<std::string> ports = SerialDeviceEntries(DeviceRootsFromEnvironment());
    for (auto& strEntry : RunningSimulators(SimAnnounceDir()))
        ports.push_back(std::move(strEntry));
    return ports;
}
