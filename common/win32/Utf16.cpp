#include "common/win32/Utf16.h"

#include <windows.h>

std::wstring Utf16FromUtf8(std::string_view text) {
    if (text.empty())
        return {};
    const int nBytes = static_cast<int>(text.size());
    const int nChars = MultiByteToWideChar(CP_UTF8, 0, text.data(), nBytes, nullptr, 0);
    std::wstring strWide(static_cast<size_t>(nChars > 0 ? nChars : 0), L'\0');
    if (nChars > 0)
        MultiByteToWideChar(CP_UTF8, 0, text.data(), nBytes, strWide.data(), nChars);
    return strWide;
}

std::string Utf8FromUtf16(std::wstring_view text) {
    if (text.empty())
        return {};
    const int nChars = static_cast<int>(text.size());
    const int nBytes =
        WideCharToMultiByte(CP_UTF8, 0, text.data(), nChars, nullptr, 0, nullptr, nullptr);
    std::string strText(static_cast<size_t>(nBytes > 0 ? nBytes : 0), '\0');
    if (nBytes > 0)
        WideCharToMultiByte(CP_UTF8, 0, text.data(), nChars, strText.data(), nBytes, nullptr,
                            nullptr);
    return strText;
}
