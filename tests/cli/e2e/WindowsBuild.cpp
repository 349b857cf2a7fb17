#include "WindowsBuild.h"

#include <cctype>
#include <cstdlib>
#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include "ChildProcess.h"

namespace fs = std::filesystem;

namespace {
const fs::path kBuild = KTR84_WINDOWS_BUILD;

fs::path Prefix() {
    const char* pszPrefix = std::getenv("KTR84_WINEPREFIX");
    return pszPrefix && *pszPrefix ? fs::path(pszPrefix) : kBuild / "wineprefix";
}

// Whether Wine has made the prefix, asked under wine-run.sh's lock: a line
// linked in while wineboot still runs would meet its device set-up.
bool PrefixBooted() {
    const int nFd = open((Prefix().string() + ".lock").c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0644);
    if (nFd < 0)
        return false;
    flock(nFd, LOCK_EX);
    const bool bBooted = fs::exists(Prefix() / "system.reg");
    close(nFd);
    return bBooted;
}

// wine-run.sh makes the prefix on a program's first start.
bool BootPrefix() {
    CChildProcess boot;
    const fs::path out = fs::temp_directory_path() / ("ktr84-e2e-boot-" + std::to_string(getpid()));
    std::vector<std::string> args = WineCommand("ktr84-upgrade-testing.exe");
    args.push_back("--version");
    const bool bRan = boot.Start(args, {}, out, out) && boot.Wait() == 0;
    fs::remove(out);
    return bRan && PrefixBooted();
}

// Ports 5 to 255: below them the ones a real machine has, from 20 the far
// end of the Windows line tests takes the first free ones.
constexpr int kFirstCom = 5;
constexpr int kComCount = 251;
} // namespace

std::string WindowsBuildMissing() {
    if (const char* pszSkip = std::getenv("KTR84_SKIP_WINDOWS"); pszSkip && *pszSkip == '1')
        return "KTR84_SKIP_WINDOWS=1 leaves the Windows build out";
    const fs::path program = kBuild / "ktr84-upgrade-testing.exe";
    if (!fs::exists(program))
        return "no Windows build: " + program.string() +
               " is missing (scripts/build-windows.sh makes it; KTR84_WINDOWS_BUILD names it)";
    return "";
}

std::vector<std::string> WineCommand(const std::string& strProgram) {
    return {KTR84_WINE_RUN, (kBuild / strProgram).string()};
}

fs::path UnixPathOf(const std::string& strWindowsPath) {
    if (strWindowsPath.size() < 3 || strWindowsPath[1] != ':')
        return {};
    std::string strRest = strWindowsPath.substr(3);
    for (char& c : strRest)
        if (c == '\\')
            c = '/';
    const char cDrive =
        static_cast<char>(std::tolower(static_cast<unsigned char>(strWindowsPath[0])));
    return Prefix() / "dosdevices" / (std::string(1, cDrive) + ":") / strRest;
}

CComLink::CComLink(const std::string& strDevice) {
    if (!PrefixBooted() && !BootPrefix())
        return;
    const int nStart = static_cast<int>(getpid() % kComCount);
    for (int i = 0; i < kComCount && m_strPort.empty(); ++i) {
        const int nCom = kFirstCom + (nStart + i) % kComCount;
        const fs::path link = Prefix() / "dosdevices" / ("com" + std::to_string(nCom));
        if (symlink(strDevice.c_str(), link.c_str()) == 0) {
            m_link = link;
            m_strPort = "COM" + std::to_string(nCom);
        }
    }
}

CComLink::~CComLink() {
    if (!m_link.empty())
        unlink(m_link.c_str());
}
