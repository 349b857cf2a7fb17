#include "app/PortList.h"
#include "sim/Announce.h"

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <filesystem>
#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>

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

// The pid a simulator link's name ends with ("transceiver-1234"), or 0.
long LinkPid(const std::string& strName) {
    const size_t nDash = strName.rfind('-');
    if (nDash == std::string::npos || nDash == 0 || nDash + 1 == strName.size())
        return 0;
    const std::string strDigits = strName.substr(nDash + 1);
    if (strDigits.find_first_not_of("0123456789") != std::string::npos)
        return 0;
    return std::strtol(strDigits.c_str(), nullptr, 10);
}

bool ProcessAlive(long nPid) {
    return nPid > 0 && (kill(nPid, 0) == 0 || errno == EPERM);
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

// The simulator announces itself there; one rule for both sides.
std::string SimulatorFolder() {
    return SimAnnounceDir();
}

std::vector<std::string> RunningSimulators(const std::string& strFolder) {
    std::vector<std::string> paths;
    std::error_code ec;
    for (const auto& entry : fs::directory_iterator(strFolder, ec)) {
        if (!entry.is_symlink(ec))
            continue;
        struct stat target {};
        // A link left behind by a simulator that died points nowhere useful.
        if (!ProcessAlive(LinkPid(entry.path().filename().string())) ||
            stat(entry.path().c_str(), &target) != 0 || !S_ISCHR(target.st_mode))
            continue;
        paths.push_back(entry.path().string());
    }
    std::sort(paths.begin(), paths.end(), NaturalLess);
    return paths;
}

std::vector<std::string> ExtraPorts() {
    std::vector<std::string> ports = SerialDevices();
    for (auto& strPath : RunningSimulators(SimulatorFolder()))
        ports.push_back(std::move(strPath));
    return ports;
}
