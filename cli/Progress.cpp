#include "cli/Progress.h"

void CProgress::OnRunStart(const RunStart&) {
    m_timeLeft.Reset();
    m_strStatus.clear();
    m_strPrinted.clear();
    m_bMoved = false;
}

void CProgress::OnStatus(const std::string& strText) {
    m_strStatus = strText;
    if (m_out.IsTerminal()) {
        m_out.Rewrite(Text());
        return;
    }
    if (strText == m_strPrinted)
        return;
    m_strPrinted = strText;
    m_out.Line(strText);
}

void CProgress::OnProgress(int32_t nPos, int32_t nUpper) {
    m_timeLeft.Update(m_fnNowMs(), nPos, nUpper);
    m_bMoved = m_bMoved || nPos > 0;
    if (m_out.IsTerminal())
        m_out.Rewrite(Text());
}

std::string CProgress::Text() const {
    std::string strText = m_strStatus;
    if (!m_bMoved)
        return strText;
    strText += "  " + std::to_string(m_timeLeft.Percent()) + "%";
    const std::string strLeft = TimeLeftText(m_timeLeft.SecondsLeft());
    if (!strLeft.empty())
        strText += "  " + strLeft;
    return strText;
}
