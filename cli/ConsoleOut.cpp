#include "cli/ConsoleOut.h"

void CConsoleOut::Line(const std::string& strText) {
    EndRewrite();
    m_out << strText << '\n' << std::flush;
}

void CConsoleOut::Rewrite(const std::string& strText) {
    if (!m_bTerminal)
        return;
    m_out << '\r' << strText;
    // Blanks over what a longer line before left.
    if (strText.size() < m_nRewriteLength)
        m_out << std::string(m_nRewriteLength - strText.size(), ' ') << '\r' << strText;
    m_out << std::flush;
    m_nRewriteLength = strText.empty() ? 1 : strText.size();
}

void CConsoleOut::EndRewrite() {
    if (m_nRewriteLength == 0)
        return;
    m_out << '\n';
    m_nRewriteLength = 0;
}
