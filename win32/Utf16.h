#pragma once

#include <string>

// Text is UTF-8 inside the program and UTF-16 at the Win32 API.
std::wstring Utf16(const std::string& strText);
std::string Utf8(const std::wstring& strText);
