// The controls' side of the window layer: texts, lists, checks, enable
// states, the progress bar, message boxes and the password prompt.
#include "win32/Win32Window.h"

#include <algorithm>

#include "win32/ModalDialogs.h"
#include "win32/Utf16.h"

namespace {
std::string WindowText(HWND hWnd) {
    std::wstring strText(static_cast<size_t>(GetWindowTextLengthW(hWnd)) + 1, L'\0');
    strText.resize(static_cast<size_t>(
        GetWindowTextW(hWnd, strText.data(), static_cast<int>(strText.size()))));
    return Utf8(strText);
}

bool IsClass(HWND hWnd, const wchar_t* pszClass) {
    wchar_t szClass[32] = {};
    GetClassNameW(hWnd, szClass, 32);
    return lstrcmpiW(szClass, pszClass) == 0;
}

// Items of the details text are separated by a lone carriage return; the
// control shows each on a line of its own.
std::wstring DisplayText(const std::string& strText) {
    std::string strShown;
    for (char c : strText)
        strShown += c == '\r' ? std::string("\r\n") : std::string(1, c);
    return Utf16(strShown);
}
} // namespace

// The runs read and write the three texts back on every status change, each
// line of an upload: a static's text is answered from what was set, and only
// a change goes to the control.
std::string CWin32Window::GetControlText(int nId) {
    auto it = m_rawTexts.find(nId);
    if (it != m_rawTexts.end())
        return it->second;
    HWND hControl = Control(nId);
    if (IsClass(hControl, L"ComboBox")) {
        const int nIndex = GetListSelection(nId);
        return nIndex < 0 ? std::string() : GetListEntry(nId, nIndex);
    }
    return WindowText(hControl);
}

void CWin32Window::SetControlText(int nId, const std::string& strText) {
    if (auto it = m_rawTexts.find(nId); it != m_rawTexts.end() && it->second == strText)
        return;
    HWND hControl = Control(nId);
    if (IsClass(hControl, L"ComboBox")) {
        for (int i = 0; i < GetListCount(nId); ++i)
            if (GetListEntry(nId, i) == strText)
                SetListSelection(nId, i);
        return;
    }
    if (IsClass(hControl, L"Static"))
        m_rawTexts[nId] = strText;
    SetWindowTextW(hControl, DisplayText(strText).c_str());
}

int CWin32Window::GetListCount(int nId) {
    return static_cast<int>(SendDlgItemMessageW(m_hDlg, nId, CB_GETCOUNT, 0, 0));
}

std::string CWin32Window::GetListEntry(int nId, int nIndex) {
    const LRESULT nLength = SendDlgItemMessageW(m_hDlg, nId, CB_GETLBTEXTLEN, nIndex, 0);
    if (nLength == CB_ERR)
        return {};
    std::wstring strText(static_cast<size_t>(nLength) + 1, L'\0');
    SendDlgItemMessageW(m_hDlg, nId, CB_GETLBTEXT, nIndex,
                        reinterpret_cast<LPARAM>(strText.data()));
    strText.resize(static_cast<size_t>(nLength));
    return Utf8(strText);
}

void CWin32Window::DeleteListEntry(int nId, int nIndex) {
    SendDlgItemMessageW(m_hDlg, nId, CB_DELETESTRING, nIndex, 0);
}

void CWin32Window::AddListEntry(int nId, const std::string& strText) {
    SendDlgItemMessageW(m_hDlg, nId, CB_ADDSTRING, 0,
                        reinterpret_cast<LPARAM>(Utf16(strText).c_str()));
}

int CWin32Window::GetListSelection(int nId) {
    const LRESULT nIndex = SendDlgItemMessageW(m_hDlg, nId, CB_GETCURSEL, 0, 0);
    return nIndex == CB_ERR ? -1 : static_cast<int>(nIndex);
}

void CWin32Window::SetListSelection(int nId, int nIndex) {
    SendDlgItemMessageW(m_hDlg, nId, CB_SETCURSEL, nIndex, 0);
}

bool CWin32Window::IsChecked(int nId) {
    return IsDlgButtonChecked(m_hDlg, nId) == BST_CHECKED;
}

void CWin32Window::SetChecked(int nId, bool bChecked) {
    CheckDlgButton(m_hDlg, nId, bChecked ? BST_CHECKED : BST_UNCHECKED);
}

bool CWin32Window::IsEnabled(int nId) {
    return IsWindowEnabled(Control(nId)) != FALSE;
}

void CWin32Window::EnableControl(int nId, bool bEnable) {
    EnableWindow(Control(nId), bEnable);
}

void CWin32Window::SetProgressRange(int32_t nLower, int32_t nUpper) {
    RECT rect;
    GetClientRect(Control(ctl::kProgress), &rect);
    m_progress = {nLower, nUpper, -1, -1, static_cast<int>(rect.right)};
    SendMessageW(Control(ctl::kProgress), PBM_SETRANGE32, nLower, nUpper);
}

// An upload moves the bar every line; the control, which repaints on each
// move, hears only of moves that show: another pixel or another percent.
void CWin32Window::SetProgressPos(int32_t nPos) {
    const long long nSpan = std::max<long long>(1, 0LL + m_progress.nUpper - m_progress.nLower);
    const long long nDone = std::clamp<long long>(0LL + nPos - m_progress.nLower, 0, nSpan);
    const int nPixel = static_cast<int>(nDone * m_progress.nWidth / nSpan);
    const int nPercent = static_cast<int>(nDone * 100 / nSpan);
    if (nPixel == m_progress.nShownPixel && nPercent == m_progress.nShownPercent)
        return;
    m_progress.nShownPixel = nPixel;
    m_progress.nShownPercent = nPercent;
    SendMessageW(Control(ctl::kProgress), PBM_SETPOS, nPos, 0);
}

void CWin32Window::SetProgressStep(int32_t nStep) {
    SendDlgItemMessageW(m_hDlg, ctl::kProgress, PBM_SETSTEP, nStep, 0);
}

int CWin32Window::MessageBox(const std::string& strText, const std::string& strCaption,
                             MsgIcon icon, MsgButtons buttons) {
    UINT nStyle = buttons == MsgButtons::OkCancel ? MB_OKCANCEL : MB_OK;
    if (icon == MsgIcon::Stop)
        nStyle |= MB_ICONSTOP;
    else if (icon == MsgIcon::Exclamation)
        nStyle |= MB_ICONEXCLAMATION;
    const std::string strTitle = strCaption.empty() ? ApplicationCaption() : strCaption;
    const int nAnswer =
        MessageBoxW(m_hDlg, Utf16(strText).c_str(), Utf16(strTitle).c_str(), nStyle);
    return nAnswer == IDOK ? IDOK : IDCANCEL;
}

int CWin32Window::PasswordPrompt(const std::string& strDefault, std::string& strEntered) {
    return ShowPasswordPrompt(m_hInstance, m_hDlg, strDefault, strEntered);
}

int64_t CWin32Window::NowMs() {
    return static_cast<int64_t>(GetTickCount64() - m_nStartMs);
}

// Developers' diagnostics go to the debugger's output stream, while one
// listens: each is an exception raised to it, too dear for every line of an
// upload when nobody listens.
void CWin32Window::DebugOutput(std::string_view text) {
    if (IsDebuggerPresent())
        OutputDebugStringW(Utf16(std::string(text)).c_str());
}
