#include <cerrno>
#include <climits>
#include <cstdlib>

#include "console/RateChange.h"
#include "upgrade/legacy/LegacyPauses.h"
#include "upgrade/legacy/LegacyRun.h"

using namespace legacy;

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

void CLegacyRun::SetBootloaderBaud(const std::string& strText) {
    const int32_t nRate = ParseRate(strText);
    SendLetter(BaudLetter(nRate));
    m_dialog.SetStatus("Baud Change to " + strText);
    // The boot loader answers at the old rate and switches only once its
    // notice has left it: hear the notice out before closing the line.
    m_receiver.AwaitBurst(kNoticeWaitMs);
    m_window.Sleep(kBeforeReopenMs);
    // The first CR at the new rate brings the menu back; state 6 takes the
    // menu from the chunk held for it, through the shared matcher, so the
    // test here asks a copy of the matcher what state 6 will find.
    ReopenLineAt({m_line, m_window, m_dialog, m_image, m_rx}, m_receiver, nRate, "menu",
                 [this](const CReceivedChunk& rx) {
                     PromptMatcher probe = m_matcher;
                     return MatchPrompt(probe, rx.Data(), rx.m_nRxCount, "selection");
                 });
}
