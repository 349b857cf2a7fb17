#include "win32/Win32Window.h"

#include <windowsx.h>

#include "dialog/StringTable.h"
#include "dialog/UpgraderDlg.h"
#include "front/DialogClicks.h"
#include "line/win32/WindowsPorts.h"
#include "win32/Artwork.h"
#include "win32/ResourceIds.h"
#include "win32/Utf16.h"

std::string MainWindowTitle() {
    return std::string("KTR-84 Upgrader ") + str::kVersion + " " + str::kDate;
}

CWin32Window::CWin32Window(HINSTANCE hInstance)
    : m_hInstance(hInstance), m_nStartMs(GetTickCount64()) {
    m_fnPortSource = WindowsSerialPortEntries;
}

CWin32Window::~CWin32Window() {
    if (m_hDlg)
        DestroyWindow(m_hDlg);
    if (m_hLogo)
        DeleteObject(m_hLogo);
    for (HICON hIcon : {m_hIconBig, m_hIconSmall})
        if (hIcon)
            DestroyIcon(hIcon);
}

bool CWin32Window::Create(CUpgraderDlg& dlg) {
    m_pDlg = &dlg;
    m_hDlg = CreateDialogParamW(m_hInstance, MAKEINTRESOURCEW(IDD_UPGRADER), nullptr, DialogProc,
                                reinterpret_cast<LPARAM>(this));
    if (!m_hDlg)
        return false;
    CreateFigures();
    m_hIconBig = CreateApplicationIcon(GetSystemMetrics(SM_CXICON));
    m_hIconSmall = CreateApplicationIcon(GetSystemMetrics(SM_CXSMICON));
    SendMessageW(m_hDlg, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(m_hIconBig));
    SendMessageW(m_hDlg, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(m_hIconSmall));
    // The About item at the foot of the system menu, as the context menu has it.
    if (HMENU hMenu = GetSystemMenu(m_hDlg, FALSE)) {
        AppendMenuW(hMenu, MF_SEPARATOR, 0, nullptr);
        AppendMenuW(hMenu, MF_STRING, IDM_ABOUTBOX, Utf16(str::kAboutItem).c_str());
    }
    dlg.OnInitDialog();
    RefreshPortList();
    SetWindowTextW(m_hDlg, Utf16(MainWindowTitle()).c_str());
    // The focus goes to the first tab stop, the module group's checked button.
    SetFocus(Control(ctl::kTransceiver));
    return true;
}

// The controls by id, looked up once: the runs reach them on every pass.
HWND CWin32Window::Control(int nId) const {
    auto it = m_controls.find(nId);
    if (it != m_controls.end())
        return it->second;
    HWND hControl = GetDlgItem(m_hDlg, nId);
    if (hControl)
        m_controls[nId] = hControl;
    return hControl;
}

int CWin32Window::RunModal() {
    ShowWindow(m_hDlg, SW_SHOW);
    MSG msg;
    while (!m_bQuitPosted && GetMessageW(&msg, nullptr, 0, 0) > 0) {
        if (!IsDialogMessageW(m_hDlg, &msg)) {
            TranslateMessage(&msg);
            DispatchMessageW(&msg);
        }
    }
    return m_nQuitResult;
}

INT_PTR CALLBACK CWin32Window::DialogProc(HWND hDlg, UINT nMsg, WPARAM wParam, LPARAM lParam) {
    if (nMsg == WM_INITDIALOG) {
        SetWindowLongPtrW(hDlg, DWLP_USER, lParam);
        reinterpret_cast<CWin32Window*>(lParam)->m_hDlg = hDlg;
    }
    auto* pWindow = reinterpret_cast<CWin32Window*>(GetWindowLongPtrW(hDlg, DWLP_USER));
    return pWindow ? pWindow->OnMessage(nMsg, wParam, lParam) : FALSE;
}

INT_PTR CWin32Window::OnMessage(UINT nMsg, WPARAM wParam, LPARAM lParam) {
    switch (nMsg) {
    case WM_INITDIALOG:
        return FALSE; // the focus is set once the dialog logic has run
    case WM_COMMAND:
        return OnCommand(LOWORD(wParam), HIWORD(wParam));
    case WM_SYSCOMMAND:
        if ((wParam & 0xFFF0) != IDM_ABOUTBOX)
            return FALSE;
        OnAbout();
        return TRUE;
    case WM_CLOSE:
        OnQuit(IDCANCEL);
        return TRUE;
    case WM_CONTEXTMENU:
        OnContextMenu(GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam));
        return TRUE;
    case WM_DRAWITEM:
        if (wParam != IDC_LOGO)
            return FALSE;
        OnDrawLogo(*reinterpret_cast<const DRAWITEMSTRUCT*>(lParam));
        return TRUE;
    case WM_CTLCOLORSTATIC:
        return OnColorStatic(reinterpret_cast<HDC>(wParam), reinterpret_cast<HWND>(lParam));
    case WM_DPICHANGED:
        // The dialog manager rescales the template's controls; what the
        // window drew and placed itself follows.
        if (m_hLogo)
            DeleteObject(m_hLogo);
        m_hLogo = nullptr;
        PlaceFigures();
        return FALSE;
    default:
        return FALSE;
    }
}

bool CWin32Window::OnCommand(int nId, int nCode) {
    if (nId == ctl::kComList && nCode == CBN_DROPDOWN) {
        RefreshPortList();
        return true;
    }
    if (nCode != BN_CLICKED)
        return false; // selection changes are read when a run needs them
    for (const auto& [nClickId, handler] : kDialogClicks)
        if (nClickId == nId) {
            (m_pDlg->*handler)();
            return true;
        }
    if (nId == ctl::kOk || nId == ctl::kCancel)
        OnQuit(nId);
    else if (nId == ctl::kHelp)
        OnHelp();
    return true;
}

// Quit and Enter (result 1), Escape, the close box and Cancel (result 2).
// During a run the operator is asked first; the window then ends after the
// run (PostQuit).
void CWin32Window::OnQuit(int nResult) {
    if (m_pDlg && !m_pDlg->OnQuitRequest()) {
        m_nQuitResult = nResult;
        return;
    }
    if (m_pDlg && nResult == IDOK)
        m_pDlg->UpdateData(true);
    m_nQuitResult = nResult;
    ShowWindow(m_hDlg, SW_HIDE);
    PostQuit();
}
