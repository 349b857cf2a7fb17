// The program's version resource, as Windows shows it in the file's
// properties: the project's version.
#include <gtest/gtest.h>
#include <windows.h>

#include <string>
#include <vector>

namespace {
std::string VersionString(const std::vector<char>& info, const char* pszName) {
    char* pValue = nullptr;
    UINT nLength = 0;
    const std::string strPath = std::string("\\StringFileInfo\\040904B0\\") + pszName;
    if (!VerQueryValueA(info.data(), strPath.c_str(), reinterpret_cast<void**>(&pValue), &nLength))
        return {};
    return std::string(pValue, nLength > 0 ? nLength - 1 : 0);
}
} // namespace

TEST(VersionResource, CarriesTheProjectVersion) {
    char szPath[MAX_PATH] = {};
    ASSERT_GT(GetModuleFileNameA(nullptr, szPath, MAX_PATH), 0u);
    DWORD nHandle = 0;
    const DWORD nSize = GetFileVersionInfoSizeA(szPath, &nHandle);
    ASSERT_GT(nSize, 0u);
    std::vector<char> info(nSize);
    ASSERT_TRUE(GetFileVersionInfoA(szPath, 0, nSize, info.data()));
    EXPECT_EQ(VersionString(info, "ProductVersion"), KTR84_PROJECT_VERSION);
    EXPECT_EQ(VersionString(info, "FileVersion"), KTR84_PROJECT_VERSION);
    EXPECT_EQ(VersionString(info, "ProductName"), "KTR-84 Upgrader");

    VS_FIXEDFILEINFO* pFixed = nullptr;
    UINT nLength = 0;
    ASSERT_TRUE(VerQueryValueA(info.data(), "\\", reinterpret_cast<void**>(&pFixed), &nLength));
    const std::string strFixed = std::to_string(HIWORD(pFixed->dwFileVersionMS)) + "." +
                                 std::to_string(LOWORD(pFixed->dwFileVersionMS));
    EXPECT_EQ(strFixed, KTR84_PROJECT_VERSION);
}
