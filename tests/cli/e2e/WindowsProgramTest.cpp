// The Windows program is one file to copy: its runtime is linked in, and it
// imports from no DLL but Windows' own.
#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <set>
#include <sstream>

#include "ChildProcess.h"
#include "WindowsBuild.h"

namespace {
// What the console program needs of Windows: its base, the registry and
// security, the C runtime every Windows has, COM's allocator, the device
// list behind the port names, the known folders.
const std::set<std::string> kWindowsOwn = {"advapi32.dll", "kernel32.dll", "msvcrt.dll",
                                           "ole32.dll",    "setupapi.dll", "shell32.dll"};

std::vector<std::string> ImportedDlls(const std::string& strDump) {
    std::vector<std::string> out;
    std::istringstream in(strDump);
    const std::string strTag = "DLL Name: ";
    for (std::string strLine; std::getline(in, strLine);) {
        const size_t nAt = strLine.find(strTag);
        if (nAt == std::string::npos)
            continue;
        std::string strName = strLine.substr(nAt + strTag.size());
        std::transform(strName.begin(), strName.end(), strName.begin(),
                       [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
        out.push_back(strName);
    }
    return out;
}

TEST(WindowsProgram, ImportsFromWindowsOwnDllsAlone) {
    if (!WindowsBuildMissing().empty())
        GTEST_SKIP() << WindowsBuildMissing();
    const CTempFolder dir("WindowsProgram");
    CChildProcess dump;
    ASSERT_TRUE(dump.Start({KTR84_MINGW_OBJDUMP, "-p", KTR84_WINDOWS_BUILD "/ktr84-upgrade.exe"},
                           {}, dir.Path() / "dump", dir.Path() / "err"));
    ASSERT_EQ(dump.Wait(), 0) << ReadFile(dir.Path() / "err");
    const std::vector<std::string> dlls = ImportedDlls(ReadFile(dir.Path() / "dump"));
    EXPECT_TRUE(std::find(dlls.begin(), dlls.end(), "kernel32.dll") != dlls.end())
        << "the import table was read";
    for (const std::string& strDll : dlls)
        EXPECT_TRUE(kWindowsOwn.count(strDll)) << strDll << " is no DLL of Windows' own";
}
} // namespace
