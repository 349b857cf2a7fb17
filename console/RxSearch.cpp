#include "console/RxSearch.h"

namespace {
constexpr std::string_view kLogin = "Login";
constexpr std::string_view kIncorrect = " incorrect";
} // namespace

void CRxSearch::Reset() {
    m_strJoined.clear();
    m_nTail = 0;
    m_strNextTail.clear();
}

void CRxSearch::NextPoll(const std::string& strText, bool bCut) {
    m_strJoined = m_strNextTail + strText;
    m_nTail = m_strNextTail.size();
    if (bCut)
        m_strNextTail.clear();
    else if (m_strJoined.size() > kTailBytes)
        m_strNextTail = m_strJoined.substr(m_strJoined.size() - kTailBytes);
    else
        m_strNextTail = m_strJoined;
}

bool CRxSearch::Contains(std::string_view strLiteral) const {
    if (strLiteral.empty())
        return false;
    // The earliest start from which a match still ends after the tail.
    const size_t nBack = strLiteral.size() - 1;
    const size_t nFrom = m_nTail > nBack ? m_nTail - nBack : 0;
    return m_strJoined.find(strLiteral, nFrom) != std::string::npos;
}

bool CRxSearch::ContainsForeignLogin() const {
    const std::string_view text = m_strJoined;
    for (size_t nAt = text.find(kLogin); nAt != std::string_view::npos;
         nAt = text.find(kLogin, nAt + 1)) {
        const std::string_view rest = text.substr(nAt + kLogin.size());
        // The first byte after "Login" that departs from " incorrect" decides.
        size_t k = 0;
        while (k < kIncorrect.size() && k < rest.size() && rest[k] == kIncorrect[k])
            ++k;
        if (k == kIncorrect.size() || k == rest.size())
            continue; // "Login incorrect", or it may still become that
        const size_t nDecidedEnd = nAt + kLogin.size() + k + 1;
        if (nDecidedEnd > m_nTail)
            return true;
    }
    return false;
}
