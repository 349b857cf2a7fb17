#pragma once

#include "record/RunEvents.h"
#include "window/WindowLayer.h"

// The window as the runs see it: every call goes to the real window; the
// message boxes, the password prompt and the progress bar are also told to
// the run's listeners (with the operator's answer, never the typed text).
class CObservedWindow : public CWindowLayer {
public:
    CObservedWindow(CWindowLayer& window, CRunEvents& events)
        : m_window(window), m_events(events) {}

    std::string GetControlText(int nId) override { return m_window.GetControlText(nId); }
    void SetControlText(int nId, const std::string& strText) override {
        m_window.SetControlText(nId, strText);
    }
    int GetListCount(int nId) override { return m_window.GetListCount(nId); }
    std::string GetListEntry(int nId, int nIndex) override {
        return m_window.GetListEntry(nId, nIndex);
    }
    void DeleteListEntry(int nId, int nIndex) override { m_window.DeleteListEntry(nId, nIndex); }
    void AddListEntry(int nId, const std::string& strText) override {
        m_window.AddListEntry(nId, strText);
    }
    int GetListSelection(int nId) override { return m_window.GetListSelection(nId); }
    void SetListSelection(int nId, int nIndex) override { m_window.SetListSelection(nId, nIndex); }
    bool IsChecked(int nId) override { return m_window.IsChecked(nId); }
    void SetChecked(int nId, bool bChecked) override { m_window.SetChecked(nId, bChecked); }
    bool IsEnabled(int nId) override { return m_window.IsEnabled(nId); }
    void EnableControl(int nId, bool bEnable) override { m_window.EnableControl(nId, bEnable); }

    void SetProgressRange(int32_t nLower, int32_t nUpper) override;
    void SetProgressPos(int32_t nPos) override;
    void SetProgressStep(int32_t nStep) override { m_window.SetProgressStep(nStep); }
    int MessageBox(const std::string& strText, const std::string& strCaption, MsgIcon icon,
                   MsgButtons buttons) override;
    int PasswordPrompt(const std::string& strDefault, std::string& strEntered) override;

    bool PumpMessages() override { return m_window.PumpMessages(); }
    void PostQuit() override { m_window.PostQuit(); }
    void UpdateWindow() override { m_window.UpdateWindow(); }
    void Sleep(int nMs) override { m_window.Sleep(nMs); }
    bool WaitForInput(LineHandle hInput, int nMs) override {
        return m_window.WaitForInput(hInput, nMs);
    }
    int64_t NowMs() override { return m_window.NowMs(); }
    void DebugOutput(std::string_view text) override { m_window.DebugOutput(text); }

    // The window behind this one (the front end's own).
    CWindowLayer& Inner() { return m_window; }

private:
    CWindowLayer& m_window;
    CRunEvents& m_events;
    int32_t m_nUpper = 100;
};
