#include "common/SimAnnouncement.h"

#include <algorithm>
#include <cerrno>
#include <csignal>
#include <cstdlib>
#include <filesystem>
#include <sys/stat.h>
#include <unistd.h>

namespace fs = std::filesystem;

std::string SimAnnounceDir() {
    const char* pszRuntime = std::getenv("XDG_RUNTIME_DIR");
    if (pszRuntime != nullptr && *pszRuntime != '\0') {
        return std::string(pszRuntime) + "/ktr84-modsim";
    }
    return "/tmp/ktr84-modsim-" + std::to_string(getuid());
}

namespace {

bool ProcessAlive(const std::string& strName) {
    size_t nDash = strName.rfind('-');
    if (nDash == std::string::npos) {
        return false;
    }
    long nPid = std::strtol(strName.c_str() + nDash + 1, nullptr, 10);
    return nPid > 0 && (kill(static_cast<pid_t>(nPid), 0) == 0 || errno == EPERM);
}

} // namespace

std::vector<SimAnnouncement> FindAnnouncedSims(const std::string& strDir) {
    std::vector<SimAnnouncement> found;
    std::error_code error;
    for (const auto& entry : fs::directory_iterator(strDir, error)) {
        if (!entry.is_symlink(error)) {
            continue;
        }
        std::string strName = entry.path().filename().string();
        fs::path target = fs::read_symlink(entry.path(), error);
        if (error || !ProcessAlive(strName) || !fs::is_character_file(entry.path(), error)) {
            continue;
        }
        found.push_back({strName, entry.path().string(), target.string()});
    }
    std::sort(found.begin(), found.end(),
              [](const auto& a, const auto& b) { return a.strName < b.strName; });
    return found;
}

CSimAnnouncer::CSimAnnouncer(const std::string& strKind, const std::string& strDevicePath) {
    std::string strDir = SimAnnounceDir();
    mkdir(strDir.c_str(), 0700); // may exist already
    std::string strLink = strDir + "/" + strKind + "-" + std::to_string(getpid());
    unlink(strLink.c_str());
    if (symlink(strDevicePath.c_str(), strLink.c_str()) == 0) {
        m_strLink = strLink;
    }
}

CSimAnnouncer::~CSimAnnouncer() {
    if (!m_strLink.empty()) {
        unlink(m_strLink.c_str());
    }
}
