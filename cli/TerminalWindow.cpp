#include "cli/TerminalWindow.h"

#include <algorithm>
#include <chrono>
#include <thread>

#include "window/WaitReadable.h"

namespace {
int64_t SteadyMs() {
    using namespace std::chrono;
    return duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count();
}

// Box texts end in line ends of their own ("Serial_Comm_Error\n"); the
// printed line ends once.
std::string Trimmed(std::string strText) {
    while (!strText.empty() && (strText.back() == '\n' || strText.back() == '\r'))
        strText.pop_back();
    return strText;
}
} // namespace

CTerminalWindow::CTerminalWindow(CConsoleOut& out, CPasswordAnswer& password,
                                 bool bContinueWithoutAppCode, int nTimeScale)
    : m_out(out), m_password(password), m_bContinueWithoutAppCode(bContinueWithoutAppCode),
      m_nTimeScale(nTimeScale < 1 ? 1 : nTimeScale), m_nStartMs(SteadyMs()) {}

std::string CTerminalWindow::GetControlText(int nId) {
    if (m_lists.count(nId))
        return GetListEntry(nId, GetListSelection(nId));
    return m_texts[nId];
}

void CTerminalWindow::SetControlText(int nId, const std::string& strText) {
    auto it = m_lists.find(nId);
    if (it == m_lists.end()) {
        m_texts[nId] = strText;
        return;
    }
    // A list takes a text as the choice of its entry, as a drop-down list does.
    for (size_t i = 0; i < it->second.size(); ++i)
        if (it->second[i] == strText)
            m_selection[nId] = static_cast<int>(i);
}

int CTerminalWindow::GetListCount(int nId) {
    auto it = m_lists.find(nId);
    return it == m_lists.end() ? 0 : static_cast<int>(it->second.size());
}

std::string CTerminalWindow::GetListEntry(int nId, int nIndex) {
    auto it = m_lists.find(nId);
    if (it == m_lists.end() || nIndex < 0 || nIndex >= static_cast<int>(it->second.size()))
        return {};
    return it->second[nIndex];
}

void CTerminalWindow::DeleteListEntry(int nId, int nIndex) {
    auto it = m_lists.find(nId);
    if (it == m_lists.end() || nIndex < 0 || nIndex >= static_cast<int>(it->second.size()))
        return;
    it->second.erase(it->second.begin() + nIndex);
    int& nSelected = m_selection[nId];
    if (nSelected == nIndex)
        nSelected = -1;
    else if (nSelected > nIndex)
        --nSelected;
}

void CTerminalWindow::AddListEntry(int nId, const std::string& strText) {
    if (!m_lists.count(nId))
        m_selection[nId] = -1; // a new list selects nothing until told to
    m_lists[nId].push_back(strText);
}

int CTerminalWindow::GetListSelection(int nId) {
    auto it = m_selection.find(nId);
    return it == m_selection.end() ? -1 : it->second;
}

void CTerminalWindow::SetListSelection(int nId, int nIndex) {
    m_selection[nId] = nIndex >= 0 && nIndex < GetListCount(nId) ? nIndex : -1;
}

bool CTerminalWindow::IsEnabled(int nId) {
    auto it = m_enabled.find(nId);
    return it == m_enabled.end() || it->second;
}

int CTerminalWindow::MessageBox(const std::string& strText, const std::string& strCaption, MsgIcon,
                                MsgButtons buttons) {
    const std::string strShown = strCaption.empty() ? ApplicationCaption() : strCaption;
    m_strLastBox = strText;
    m_out.Line(strShown + ": " + Trimmed(strText));
    if (buttons == MsgButtons::Ok)
        return IDOK;
    // The question without application code is answered from the command
    // line; any other question as its default button (OK) would.
    if (strCaption == kNoAppCodeCaption && !m_bContinueWithoutAppCode) {
        m_out.Line("(answered Cancel: --on-no-app-code abort)");
        return IDCANCEL;
    }
    return IDOK;
}

int CTerminalWindow::PasswordPrompt(const std::string& strDefault, std::string& strEntered) {
    m_out.EndRewrite();
    return m_password.Answer(strDefault, strEntered);
}

bool CTerminalWindow::PumpMessages() {
    return onPump ? onPump() : true;
}

void CTerminalWindow::Sleep(int nMs) {
    if (onWait)
        onWait();
    if (nMs <= 0)
        return;
    // Short pauses wait for a module answering at line speed (a rate letter
    // answered at the old rate): a scaled clock cuts only what lies beyond them.
    const int nReal = std::max(nMs / m_nTimeScale, std::min(nMs, kShortestScaledSleepMs));
    std::this_thread::sleep_for(std::chrono::milliseconds(nReal));
    m_nSkippedMs += nMs - nReal;
}

// Input waits keep their full time: the module on the line runs on the real
// clock, and its silence must stay silence of the real length.
bool CTerminalWindow::WaitForInput(LineHandle hInput, int nMs) {
    if (onWait)
        onWait();
    return WaitReadable(hInput, nMs);
}

int64_t CTerminalWindow::NowMs() {
    return SteadyMs() - m_nStartMs + m_nSkippedMs;
}
