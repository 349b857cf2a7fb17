#pragma once

#include <deque>
#include <functional>
#include <map>
#include <string>
#include <vector>

#include "window/WindowLayer.h"

// What the scripted window showed, in order.
struct ShownEvent {
    enum Kind { Status, Box, Prompt } kind;
    std::string strText;    // status text, box text, or the prompt's default
    std::string strCaption; // boxes: the caption as shown
    MsgIcon icon = MsgIcon::None;
    MsgButtons buttons = MsgButtons::Ok;
    int nResult = 0;
    int64_t nAtMs = 0;
};

// A window for tests: holds control states in memory, answers boxes and
// prompts from a script, records everything shown, and runs on the real
// clock or on a virtual one that only moves when the program waits.
class CScriptedWindow : public CWindowLayer {
public:
    explicit CScriptedWindow(bool bVirtualClock = false);

    // --- the script ---
    void QueueBoxAnswer(int nResult) { m_boxAnswers.push_back(nResult); }
    void QueuePasswordAnswer(int nResult, const std::string& strText) {
        m_promptAnswers.push_back({nResult, strText});
    }
    // PumpMessages reports the quit request from its nth call on (1-based).
    void QuitAtPump(int nCall) { m_nQuitAtPump = nCall; }
    std::function<void()> onPump;           // runs inside every PumpMessages
    std::function<void(int64_t)> onAdvance; // virtual clock: after each advance, with the time
    std::function<void(const ShownEvent&)> onShown; // after each record

    // --- what was shown ---
    std::vector<ShownEvent> events;
    std::vector<std::string> Statuses() const; // consecutive repeats folded
    std::vector<ShownEvent> Boxes() const;
    int PumpCount() const { return m_nPumps; }
    int32_t ProgressPos() const { return m_nProgressPos; }
    int32_t ProgressUpper() const { return m_nProgressUpper; }
    std::vector<std::string> debug;

    // --- CWindowLayer ---
    std::string GetControlText(int nId) override;
    void SetControlText(int nId, const std::string& strText) override;
    int GetListCount(int nId) override;
    std::string GetListEntry(int nId, int nIndex) override;
    void DeleteListEntry(int nId, int nIndex) override;
    void AddListEntry(int nId, const std::string& strText) override;
    int GetListSelection(int nId) override;
    void SetListSelection(int nId, int nIndex) override;
    bool IsChecked(int nId) override;
    void SetChecked(int nId, bool bChecked) override;
    bool IsEnabled(int nId) override;
    void EnableControl(int nId, bool bEnable) override;
    void SetProgressRange(int32_t nLower, int32_t nUpper) override;
    void SetProgressPos(int32_t nPos) override;
    void SetProgressStep(int32_t nStep) override;
    int MessageBox(const std::string& strText, const std::string& strCaption, MsgIcon icon,
                   MsgButtons buttons) override;
    int PasswordPrompt(const std::string& strDefault, std::string& strEntered) override;
    bool PumpMessages() override;
    void PostQuit() override { m_bQuitPosted = true; }
    void UpdateWindow() override { ++m_nRepaints; }
    void Sleep(int nMs) override;
    bool WaitForInput(LineHandle hInput, int nMs) override;
    int64_t NowMs() override;
    void DebugOutput(std::string_view text) override;

    bool QuitPosted() const { return m_bQuitPosted; }
    int Repaints() const { return m_nRepaints; }

private:
    void Advance(int nMs);
    void Record(ShownEvent event);

    bool m_bVirtual;
    int64_t m_nVirtualMs = 0;
    int64_t m_nStartMs;
    std::deque<int> m_boxAnswers;
    std::deque<std::pair<int, std::string>> m_promptAnswers;
    int m_nQuitAtPump = 0;
    int m_nPumps = 0;
    int m_nRepaints = 0;
    bool m_bQuitPosted = false;
    std::map<int, std::string> m_texts;
    std::map<int, std::vector<std::string>> m_lists;
    std::map<int, int> m_selection;
    std::map<int, bool> m_checked;
    std::map<int, bool> m_enabled;
    int32_t m_nProgressLower = 0, m_nProgressUpper = 100, m_nProgressPos = 0;
};
