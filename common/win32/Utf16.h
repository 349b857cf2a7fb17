#pragma once

#include <string>
#include <string_view>

// Windows speaks UTF-16 in its wide calls; the program's texts are UTF-8.
// Both turn malformed input into U+FFFD rather than failing.
std::wstring Utf16FromUtf8(std::string_view text);
std::string Utf8FromUtf16(std::wstring_view text);
