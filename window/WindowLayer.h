#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "line/LineHandle.h"
#include "window/ControlIds.h"

enum class MsgIcon { None, Stop, Exclamation };

// The password prompt's built-in default: every prompt opens showing it.
inline constexpr const char* kDefaultPassword = "8484";
enum class MsgButtons { Ok, OkCancel };

// What the dialog logic needs from the screen, the operator and the clock.
// CUpgraderDlg reaches the outside world only through this interface (and the
// serial line); the Qt window implements it for operators, CScriptedWindow for
// tests. Everything is called from the GUI thread.
class CWindowLayer {
public:
    virtual ~CWindowLayer() = default;

    // Texts of controls: static texts, buttons, the current entry of a list.
    virtual std::string GetControlText(int nId) = 0;
    virtual void SetControlText(int nId, const std::string& strText) = 0;

    // Drop-down lists: entries in insertion order, selection by index (-1: none).
    virtual int GetListCount(int nId) = 0;
    virtual std::string GetListEntry(int nId, int nIndex) = 0;
    virtual void DeleteListEntry(int nId, int nIndex) = 0;
    virtual void AddListEntry(int nId, const std::string& strText) = 0;
    virtual int GetListSelection(int nId) = 0;
    virtual void SetListSelection(int nId, int nIndex) = 0;

    // Check and enable states of buttons, radio buttons and check boxes.
    virtual bool IsChecked(int nId) = 0;
    virtual void SetChecked(int nId, bool bChecked) = 0;
    virtual bool IsEnabled(int nId) = 0;
    virtual void EnableControl(int nId, bool bEnable) = 0;

    // The progress bar (32-bit range).
    virtual void SetProgressRange(int32_t nLower, int32_t nUpper) = 0;
    virtual void SetProgressPos(int32_t nPos) = 0;
    virtual void SetProgressStep(int32_t nStep) = 0;

    // Modal message box. An empty caption means the application's own caption,
    // the executable's file name without extension. Returns IDOK or IDCANCEL.
    virtual int MessageBox(const std::string& strText, const std::string& strCaption, MsgIcon icon,
                           MsgButtons buttons) = 0;

    // Modal password prompt showing strDefault masked. Returns IDOK with the
    // field's text in strEntered, or IDCANCEL (Escape, close box) leaving it alone.
    virtual int PasswordPrompt(const std::string& strDefault, std::string& strEntered) = 0;

    // Dispatches the operator's waiting events; false when the application has
    // been asked to quit. PostQuit asks again, so the window ends after the run.
    virtual bool PumpMessages() = 0;
    virtual void PostQuit() = 0;

    // Repaints what is pending at once (the procedures keep the GUI thread busy).
    virtual void UpdateWindow() = 0;

    // Blocking waits of the GUI thread. WaitForInput returns early, with true,
    // as soon as the line's handle hInput (CSComDoc::PollHandle) has input; it
    // returns false after the full time. kNoLineHandle waits the full time.
    // Operator input is held until the next PumpMessages; painting may go on.
    virtual void Sleep(int nMs) = 0;
    virtual bool WaitForInput(LineHandle hInput, int nMs) = 0;

    // Milliseconds on this window's clock (real or virtual); for measurements
    // and transcripts only, never for protocol decisions.
    virtual int64_t NowMs() = 0;

    // Diagnostics for developers; off unless switched on, never a file.
    virtual void DebugOutput(std::string_view text) = 0;
};

// The caption of boxes that give none of their own.
const char* ApplicationCaption();
