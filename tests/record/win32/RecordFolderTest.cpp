// Where Windows keeps the run records: %LOCALAPPDATA%, or the shell's known
// folder where the variable is no full path.
#include <gtest/gtest.h>

#include <windows.h>

#include <shlobj.h>

#include <cstdlib>
#include <filesystem>
#include <string>

#include "record/RecordFolder.h"

namespace fs = std::filesystem;

TEST(RecordFolder, FollowsLocalAppDataOrTheKnownFolder) {
    const wchar_t* pszOld = _wgetenv(L"LOCALAPPDATA");
    const std::wstring strOld = pszOld ? pszOld : L"";
    _wputenv_s(L"LOCALAPPDATA", L"D:\\state");
    EXPECT_EQ(RecordFolder(), fs::path(L"D:\\state\\ktr84-upgrader"));

    PWSTR pszKnown = nullptr;
    ASSERT_TRUE(SUCCEEDED(SHGetKnownFolderPath(FOLDERID_LocalAppData, 0, nullptr, &pszKnown)));
    const fs::path known = pszKnown;
    CoTaskMemFree(pszKnown);
    _wputenv_s(L"LOCALAPPDATA", L"relative\\state"); // not a full path: ignored
    EXPECT_EQ(RecordFolder(), known / "ktr84-upgrader");
    _wputenv_s(L"LOCALAPPDATA", strOld.c_str()); // an empty value removes it
}
