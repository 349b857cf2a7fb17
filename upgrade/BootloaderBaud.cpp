#include <cerrno>
#include <climits>
#include <cstdlib>

#include "upgrade/LegacySteps.h"

namespace {
// The rate at the start of the list's text; 0 when no digits lead.
int32_t ParseRate(const std::string& strText) {
    errno = 0;
    const long nRate = std::strtol(strText.c_str(), nullptr, 10);
    if (errno == ERANGE || nRate > INT32_MAX || nRate < INT32_MIN)
        return 0;
    return static_cast<int32_t>(nRate);
}

// The boot loader's menu letter for a rate; b (9600) for any it does not know.
char BaudLetter(int32_t nRate) {
    switch (nRate) {
    case 19200:
        return 'c';
    case 38400:
        return 'd';
    case 115200:
        return 'f';
    default:
        return 'b';
    }
}
} // namespace

void CUpgraderDlg::SetBootloaderBaud(const std::string& strText) {
    const int32_t nRate = ParseRate(strText);
    legacy::SendLetter(*this, BaudLetter(nRate));
    SetStatus("Baud Change to " + strText);
    m_window.Sleep(100);
    // The first byte at the new rate brings the menu back.
    ReopenLineAt(nRate);
}
