#include "win32/Utf16.h"

#include "win32/Win32Api.h"

std::wstring Utf16(const std::string& strText) {
    if (strText.empty())
        return {};
    const int nSize = static_cast<int>(strText.size());
    const int nWide = MultiByteToWideChar(CP_UTF8, 0, strText.data(), nSize, nullptr, 0);
    std::wstring strWide(static_cast<size_t>(nWide), L'\0');
    MultiByteToWideChar(CP_UTF8, 0, strText.data(), nSize, strWide.data(), nWide);
    return strWide;
}

std::string Utf8(const std::wstring& strText) {
    if (strText.empty())
        return {};
    const int nSize = static_cast<int>(strText.size());
    const int nBytes =
        WideCharToMultiByte(CP_UTF8, 0, strText.data(), nSize, nullptr, 0, nullptr, nullptr);
    std::string strUtf8(static_cast<size_t>(nBytes), '\0');
    WideCharToMultiByte(CP_UTF8, 0, strText.data(), nSize, strUtf8.data(), nBytes, nullptr,
                        nullptr);
    return strUtf8;
}
