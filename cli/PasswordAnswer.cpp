#include "cli/PasswordAnswer.h"

#include "window/ControlIds.h"

int CPasswordAnswer::Answer(const std::string& strDefault, std::string& strEntered) {
    ++m_nPrompts;
    if (m_source == PasswordSource::Terminal && m_ask) {
        std::optional<std::string> answer = m_ask("Password (Enter for the default): ");
        if (!answer)
            return IDCANCEL;
        strEntered = answer->empty() ? strDefault : *answer;
        return IDOK;
    }
    if (m_nPrompts > 1)
        return GiveUp();
    strEntered = m_source == PasswordSource::Given ? m_strGiven : strDefault;
    return IDOK;
}

int CPasswordAnswer::GiveUp() {
    if (onGiveUp)
        onGiveUp();
    return IDCANCEL;
}
