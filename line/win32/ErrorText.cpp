#include <windows.h>

#include "line/LineErrorText.h"

std::string LineErrorText(int nError) {
    char szText[512] = {};
    const DWORD nLength =
        FormatMessageA(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr,
                       static_cast<DWORD>(nError), 0, szText, sizeof szText, nullptr);
    std::string strText(szText, nLength);
    while (!strText.empty() && (strText.back() == '\n' || strText.back() == '\r' ||
                                strText.back() == '.' || strText.back() == ' '))
        strText.pop_back();
    return strText.empty() ? "error " + std::to_string(nError) : strText;
}
