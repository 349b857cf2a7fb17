#include "record/RunEvents.h"

#include <algorithm>

void CRunEvents::Remove(CRunListener& listener) {
    m_listeners.erase(std::remove(m_listeners.begin(), m_listeners.end(), &listener),
                      m_listeners.end());
}

void CRunEvents::RunStarted(const RunStart& start) {
    for (CRunListener* p : m_listeners)
        p->OnRunStart(start);
}

void CRunEvents::StateEntered(std::string_view strName) {
    for (CRunListener* p : m_listeners)
        p->OnState(strName);
}

void CRunEvents::StatusShown(const std::string& strText) {
    for (CRunListener* p : m_listeners)
        p->OnStatus(strText);
}

void CRunEvents::ProgressMoved(int32_t nPos, int32_t nUpper) {
    for (CRunListener* p : m_listeners)
        p->OnProgress(nPos, nUpper);
}

void CRunEvents::BoxAnswered(const std::string& strText, const std::string& strCaption,
                             int nAnswer) {
    for (CRunListener* p : m_listeners)
        p->OnBox(strText, strCaption, nAnswer);
}

void CRunEvents::PasswordPromptAnswered(int nAnswer) {
    for (CRunListener* p : m_listeners)
        p->OnPasswordPrompt(nAnswer);
}

void CRunEvents::Notice(const std::string& strText) {
    for (CRunListener* p : m_listeners)
        p->OnNotice(strText);
}

void CRunEvents::RunEnded(const RunEnd& end) {
    for (CRunListener* p : m_listeners)
        p->OnRunEnd(end);
}

void CRunEvents::OnLineOpened(const LineOpening& opening) {
    for (CRunListener* p : m_listeners)
        p->OnLineOpened(opening);
    if (!opening.strSlowAdapter.empty())
        Notice(opening.strSlowAdapter);
}

void CRunEvents::OnLineClosed() {
    for (CRunListener* p : m_listeners)
        p->OnLineClosed();
}

void CRunEvents::OnLineSent(std::string_view bytes, bool bSecret) {
    for (CRunListener* p : m_listeners)
        p->OnLineSent(bytes, bSecret);
}

void CRunEvents::OnLineReceived(std::string_view bytes) {
    for (CRunListener* p : m_listeners)
        p->OnLineReceived(bytes);
}
