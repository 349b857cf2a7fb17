#pragma once

#include <functional>
#include <map>
#include <string>
#include <vector>

#include "cli/ConsoleOut.h"
#include "cli/PasswordAnswer.h"
#include "window/WindowLayer.h"

// The window layer of a terminal: the controls live in memory (the dialog
// fills and reads them as it would the window's), message boxes are printed
// as "caption: text" and answered from the command line, the password prompt
// is answered by CPasswordAnswer, and waits run on the real clock, or with
// their sleeps cut by nTimeScale (a test variant's clock runs that much
// faster), never below kShortestScaledSleepMs of real time.
class CTerminalWindow : public CWindowLayer {
public:
    CTerminalWindow(CConsoleOut& out, CPasswordAnswer& password, bool bContinueWithoutAppCode,
                    int nTimeScale = 1);

    // Runs inside every PumpMessages; false when a stop was requested.
    std::function<bool()> onPump;
    // Runs before every wait (the runs wait where they do not pump).
    std::function<void()> onWait;
    bool QuitPosted() const { return m_bQuitPosted; }
    // The text of the last message box shown, empty if none.
    const std::string& LastBoxText() const { return m_strLastBox; }

    // The question a box without application code asks, by its caption.
    static constexpr int kShortestScaledSleepMs = 200;
    static constexpr const char* kNoAppCodeCaption = "WARNING: No Application Code Present";

    std::string GetControlText(int nId) override;
    void SetControlText(int nId, const std::string& strText) override;
    int GetListCount(int nId) override;
    std::string GetListEntry(int nId, int nIndex) override;
    void DeleteListEntry(int nId, int nIndex) override;
    void AddListEntry(int nId, const std::string& strText) override;
    int GetListSelection(int nId) override;
    void SetListSelection(int nId, int nIndex) override;
    bool IsChecked(int nId) override { return m_checked[nId]; }
    void SetChecked(int nId, bool bChecked) override { m_checked[nId] = bChecked; }
    bool IsEnabled(int nId) override;
    void EnableControl(int nId, bool bEnable) override { m_enabled[nId] = bEnable; }
    void SetProgressRange(int32_t, int32_t) override {}
    void SetProgressPos(int32_t) override {}
    void SetProgressStep(int32_t) override {}
    int MessageBox(const std::string& strText, const std::string& strCaption, MsgIcon icon,
                   MsgButtons buttons) override;
    int PasswordPrompt(const std::string& strDefault, std::string& strEntered) override;
    bool PumpMessages() override;
    void PostQuit() override { m_bQuitPosted = true; }
    void UpdateWindow() override {}
    void Sleep(int nMs) override;
    bool WaitForInput(LineHandle hInput, int nMs) override;
    int64_t NowMs() override;
    void DebugOutput(std::string_view) override {}

private:
    CConsoleOut& m_out;
    CPasswordAnswer& m_password;
    bool m_bContinueWithoutAppCode;
    int m_nTimeScale;
    int64_t m_nStartMs;
    int64_t m_nSkippedMs = 0; // sleep time the scale cut, still counted on the clock
    bool m_bQuitPosted = false;
    std::string m_strLastBox;
    std::map<int, std::string> m_texts;
    std::map<int, std::vector<std::string>> m_lists;
    std::map<int, int> m_selection;
    std::map<int, bool> m_checked;
    std::map<int, bool> m_enabled;
};
