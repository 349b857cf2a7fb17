#include "testing/ScriptedWindow.h"
#include "window/WaitReadable.h"

#include <chrono>
#include <thread>
#include <utility>

namespace {
int64_t RealNowMs() {
    using namespace std::chrono;
    return duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count();
}
} // namespace

CScriptedWindow::CScriptedWindow(bool bVirtualClock)
    : m_bVirtual(bVirtualClock), m_nStartMs(RealNowMs()) {}

std::vector<std::string> CScriptedWindow::Statuses() const {
    std::vector<std::string> out;
    for (const auto& e : events)
        if (e.kind == ShownEvent::Status && (out.empty() || out.back() != e.strText))
            out.push_back(e.strText);
    return out;
}

std::vector<ShownEvent> CScriptedWindow::Boxes() const {
    std::vector<ShownEvent> out;
    for (const auto& e : events)
        if (e.kind == ShownEvent::Box)
            out.push_back(e);
    return out;
}

void CScriptedWindow::Record(ShownEvent event) {
    event.nAtMs = NowMs();
    events.push_back(event);
    if (onShown)
        onShown(events.back());
}

std::string CScriptedWindow::GetControlText(int nId) {
    if (m_lists.count(nId)) {
        int nSel = GetListSelection(nId);
        return nSel < 0 ? std::string() : GetListEntry(nId, nSel);
    }
    return m_texts[nId];
}

void CScriptedWindow::SetControlText(int nId, const std::string& strText) {
    m_texts[nId] = strText;
    if (nId == ctl::kStatus)
        Record({ShownEvent::Status, strText, {}, MsgIcon::None, MsgButtons::Ok, 0, 0});
}

int CScriptedWindow::GetListCount(int nId) {
    return static_cast<int>(m_lists[nId].size());
}

std::string CScriptedWindow::GetListEntry(int nId, int nIndex) {
    auto& list = m_lists[nId];
    return nIndex >= 0 && nIndex < static_cast<int>(list.size()) ? list[nIndex] : std::string();
}

void CScriptedWindow::DeleteListEntry(int nId, int nIndex) {
    auto& list = m_lists[nId];
    if (nIndex < 0 || nIndex >= static_cast<int>(list.size()))
        return;
    list.erase(list.begin() + nIndex);
    int& nSel = m_selection[nId];
    if (nSel == nIndex)
        nSel = -1;
    else if (nSel > nIndex)
        --nSel;
}

void CScriptedWindow::AddListEntry(int nId, const std::string& strText) {
    if (!m_selection.count(nId))
        m_selection[nId] = -1;
    m_lists[nId].push_back(strText);
}

int CScriptedWindow::GetListSelection(int nId) {
    auto it = m_selection.find(nId);
    return it == m_selection.end() ? -1 : it->second;
}

void CScriptedWindow::SetListSelection(int nId, int nIndex) {
    m_selection[nId] = nIndex >= 0 && nIndex < GetListCount(nId) ? nIndex : -1;
}

bool CScriptedWindow::IsChecked(int nId) {
    return m_checked[nId];
}
void CScriptedWindow::SetChecked(int nId, bool bChecked) {
    m_checked[nId] = bChecked;
}

bool CScriptedWindow::IsEnabled(int nId) {
    auto it = m_enabled.find(nId);
    return it == m_enabled.end() ? true : it->second;
}

void CScriptedWindow::EnableControl(int nId, bool bEnable) {
    m_enabled[nId] = bEnable;
}

void CScriptedWindow::SetProgressRange(int32_t nLower, int32_t nUpper) {
    m_nProgressLower = nLower;
    m_nProgressUpper = nUpper;
}
void CScriptedWindow::SetProgressPos(int32_t nPos) {
    m_nProgressPos = nPos;
}
void CScriptedWindow::SetProgressStep(int32_t) {}

int CScriptedWindow::MessageBox(const std::string& strText, const std::string& strCaption,
                                MsgIcon icon, MsgButtons buttons) {
    int nResult = IDOK;
    if (!m_boxAnswers.empty()) {
        nResult = m_boxAnswers.front();
        m_boxAnswers.pop_front();
    }
    if (buttons == MsgButtons::Ok)
        nResult = IDOK;
    Record({ShownEvent::Box, strText, strCaption.empty() ? ApplicationCaption() : strCaption, icon,
            buttons, nResult, 0});
    return nResult;
}

int CScriptedWindow::PasswordPrompt(const std::string& strDefault, std::string& strEntered) {
    int nResult = IDOK;
    std::string strText = strDefault;
    if (!m_promptAnswers.empty()) {
        nResult = m_promptAnswers.front().first;
        strText = m_promptAnswers.front().second;
        m_promptAnswers.pop_front();
    }
    if (nResult == IDOK)
        strEntered = strText;
    Record({ShownEvent::Prompt, strDefault, "Password", MsgIcon::None, MsgButtons::Ok, nResult, 0});
    return nResult;
}

bool CScriptedWindow::PumpMessages() {
    ++m_nPumps;
    if (onPump)
        onPump();
    return !(m_nQuitAtPump > 0 && m_nPumps >= m_nQuitAtPump);
}

void CScriptedWindow::Advance(int nMs) {
    m_nVirtualMs += nMs;
    if (onAdvance)
        onAdvance(m_nVirtualMs);
}

void CScriptedWindow::Sleep(int nMs) {
    if (m_bVirtual)
        Advance(nMs);
    else
        std::this_thread::sleep_for(std::chrono::milliseconds(nMs));
}

bool CScriptedWindow::WaitForInput(LineHandle hInput, int nMs) {
    if (!m_bVirtual)
        return WaitReadable(hInput, nMs);
    if (InputReady(hInput, 0))
        return true;
    Advance(nMs);
    // What a test delivers during the wait is seen before the wait counts as full.
    return InputReady(hInput, 5);
}

int64_t CScriptedWindow::NowMs() {
    return m_bVirtual ? m_nVirtualMs : RealNowMs() - m_nStartMs;
}

void CScriptedWindow::DebugOutput(std::string_view text) {
    debug.emplace_back(text);
}
