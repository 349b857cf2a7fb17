// The module's text in the run record: gathered chunks written when the next
// line comes, passwords masked wherever the module echoes them, also when the
// echo comes in pieces, and an image's echo left to the image's summary.
#include <algorithm>

#include "record/RecordText.h"
#include "record/RunRecorder.h"

namespace {
bool IsWordChar(char c) {
    return (c >= '0' && c <= '9') || (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
}

// The secret at n stands on its own (an echo), not inside a longer word such
// as the hex digits of an S-record line.
bool StandsAlone(const std::string& strText, size_t n, size_t nLength) {
    return (n == 0 || !IsWordChar(strText[n - 1])) &&
           (n + nLength == strText.size() || !IsWordChar(strText[n + nLength]));
}
} // namespace

void CRunRecorder::FlushReceived(bool bAll) {
    // An echo may come in pieces with other lines between them: the start of
    // a password waits for the rest, so that the whole is masked.
    const size_t nHeld = bAll ? 0 : HeldBack(m_strReceived);
    if (nHeld == m_strReceived.size())
        return;
    const size_t nHead = m_strReceived.size() - nHeld;
    // The echo of an image is the image's, not written.
    const size_t nEcho =
        m_thinning.Received(m_nReceivedMs, std::string_view(m_strReceived).substr(0, nHead));
    const std::string_view head = std::string_view(m_strReceived).substr(nEcho, nHead - nEcho);
    if (!head.empty()) {
        const std::string strMasked = m_secrets.empty() ? std::string() : Masked(head);
        const std::string_view text = m_secrets.empty() ? head : strMasked;
        char* p = WriteStamp(Room(text.size()), m_nReceivedMs, "recv");
        p = WriteEscaped(p, text);
        *p++ = '\n';
        Written(p);
    }
    m_strReceived.erase(0, nHead);
}

// How many bytes at the end of strText could begin a password that stands
// alone.
size_t CRunRecorder::HeldBack(const std::string& strText) const {
    size_t nHeld = 0;
    for (const std::string& strSecret : m_secrets)
        for (size_t n = std::min(strSecret.size() - 1, strText.size()); n > nHeld; --n) {
            const size_t nAt = strText.size() - n;
            if (strText.compare(nAt, n, strSecret, 0, n) == 0 &&
                (nAt == 0 || !IsWordChar(strText[nAt - 1]))) {
                nHeld = n;
                break;
            }
        }
    return nHeld;
}

// Every password this run sent, wherever the module echoed it.
std::string CRunRecorder::Masked(std::string_view text) const {
    std::string strText(text);
    for (const std::string& strSecret : m_secrets)
        for (size_t n = strText.find(strSecret); n != std::string::npos;
             n = strText.find(strSecret, n + 1)) {
            if (!StandsAlone(strText, n, strSecret.size()))
                continue;
            strText.replace(n, strSecret.size(), "********");
        }
    return strText;
}
