#pragma once

#include <functional>
#include <map>
#include <string>
#include <vector>

#include "front/FigureView.h"
#include "win32/Win32Api.h"

class CUpgraderDlg;

// The main window on Windows: the dialog of the upgrader from its resource
// template, and the window layer the dialog logic talks to. Clicks go to
// CUpgraderDlg's handlers; an upgrade runs inside the Upgrade click and keeps
// the window alive through PumpMessages, Sleep and WaitForInput, which
// dispatch the thread's messages themselves.
class CWin32Window : public CWindowLayer, public CFigureView {
public:
    explicit CWin32Window(HINSTANCE hInstance);
    ~CWin32Window() override;
    CWin32Window(const CWin32Window&) = delete;
    CWin32Window& operator=(const CWin32Window&) = delete;

    // Creates the dialog from its template, connects the dialog logic, runs
    // its initialisation, and sets the title, the icons and the port list.
    bool Create(CUpgraderDlg& dlg);
    // Shows the window and runs its message loop until it ends; returns 1
    // for Quit, 2 for Escape or the close box.
    int RunModal();
    HWND Handle() const { return m_hDlg; }
    HWND Control(int nId) const;

    // Rebuilds the entries after COM1..COM4 from the port source, keeping
    // the selection when its entry is still there. Runs whenever the list opens.
    void RefreshPortList();
    // Keeps strPort offered after COM1..COM4 whatever the source lists next.
    void KeepPortOffered(const std::string& strPort);
    // Where the extra ports come from (the ports Windows knows by default).
    void SetPortSource(std::function<std::vector<std::string>()> fnSource) {
        m_fnPortSource = std::move(fnSource);
    }

    // --- CFigureView ---
    void ShowTimeLeft(const std::string& strText) override;
    void ShowSlowAdapter(const std::string& strText) override;

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
    void PostQuit() override;
    void UpdateWindow() override;
    void Sleep(int nMs) override;
    bool WaitForInput(LineHandle hInput, int nMs) override;
    int64_t NowMs() override;
    void DebugOutput(std::string_view text) override;

private:
    static INT_PTR CALLBACK DialogProc(HWND hDlg, UINT nMsg, WPARAM wParam, LPARAM lParam);
    INT_PTR OnMessage(UINT nMsg, WPARAM wParam, LPARAM lParam);
    bool OnCommand(int nId, int nCode);
    void OnQuit(int nResult);
    void OnAbout();
    void OnHelp();
    void OnOpenRecords();
    void OnContextMenu(int nX, int nY);
    void OnDrawLogo(const DRAWITEMSTRUCT& item);
    void CreateFigures();
    void PlaceFigures();
    INT_PTR OnColorStatic(HDC hdc, HWND hControl);
    // Dispatches every waiting message; notes a quit request.
    void DispatchWaiting();

    HINSTANCE m_hInstance;
    HWND m_hDlg = nullptr;
    CUpgraderDlg* m_pDlg = nullptr;
    bool m_bQuitPosted = false;
    int m_nQuitResult = IDCANCEL;
    ULONGLONG m_nStartMs;
    ULONGLONG m_nLastPaintMs = 0;
    ULONGLONG m_nLastPumpMs = 0;
    std::map<int, std::string> m_rawTexts; // static texts exactly as last set
    mutable std::map<int, HWND> m_controls;
    struct Progress {
        int32_t nLower, nUpper;
        int nShownPixel, nShownPercent; // what the bar shows
        int nWidth;                     // the bar's width in pixels, taken with the range
    } m_progress{0, 100, -1, -1, 0};
    std::function<std::vector<std::string>()> m_fnPortSource;
    std::vector<std::string> m_keptPorts;
    HWND m_hTimeLeft = nullptr;
    HWND m_hSlowLine = nullptr;
    SIZE m_baseClient{}; // the template's client size in pixels
    HBITMAP m_hLogo = nullptr;
    HICON m_hIconBig = nullptr;
    HICON m_hIconSmall = nullptr;
};

// The main window's title: "KTR-84 Upgrader " + version + " " + date.
std::string MainWindowTitle();
