#include "record/ObservedWindow.h"

void CObservedWindow::SetProgressRange(int32_t nLower, int32_t nUpper) {
    m_window.SetProgressRange(nLower, nUpper);
    m_nUpper = nUpper;
}

void CObservedWindow::SetProgressPos(int32_t nPos) {
    m_window.SetProgressPos(nPos);
    m_events.ProgressMoved(nPos, m_nUpper);
}

int CObservedWindow::MessageBox(const std::string& strText, const std::string& strCaption,
                                MsgIcon icon, MsgButtons buttons) {
    const int nAnswer = m_window.MessageBox(strText, strCaption, icon, buttons);
    m_events.BoxAnswered(strText, strCaption, nAnswer);
    return nAnswer;
}

int CObservedWindow::PasswordPrompt(const std::string& strDefault, std::string& strEntered) {
    const int nAnswer = m_window.PasswordPrompt(strDefault, strEntered);
    m_events.PasswordPromptAnswered(nAnswer);
    return nAnswer;
}
