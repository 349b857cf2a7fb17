// What the window shows besides the template's controls: the percentage on
// the progress bar, the time left of an upload under it, a line about a slow
// adapter, for which the window grows a row at its foot while it shows, and
// the logo.
#include "win32/Win32Window.h"

#include "win32/Artwork.h"
#include "win32/ResourceIds.h"
#include "win32/Utf16.h"

namespace {
constexpr int kMarginDlu = 3;
constexpr COLORREF kAmber = RGB(0xb0, 0x50, 0x00);

// The bar as the common control paints it, with its percentage over it.
LRESULT CALLBACK ProgressProc(HWND hWnd, UINT nMsg, WPARAM wParam, LPARAM lParam, UINT_PTR,
                              DWORD_PTR) {
    if (nMsg != WM_PAINT)
        return DefSubclassProc(hWnd, nMsg, wParam, lParam);
    PAINTSTRUCT paint;
    HDC hdc = BeginPaint(hWnd, &paint);
    RECT rect;
    GetClientRect(hWnd, &rect);
    HDC hdcMem = CreateCompatibleDC(hdc);
    HBITMAP hBitmap = CreateCompatibleBitmap(hdc, rect.right, rect.bottom);
    HGDIOBJ hOld = SelectObject(hdcMem, hBitmap);
    DefSubclassProc(hWnd, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(hdcMem),
                    PRF_CLIENT | PRF_ERASEBKGND);
    const auto nLow = static_cast<long long>(SendMessageW(hWnd, PBM_GETRANGE, TRUE, 0));
    const auto nHigh = static_cast<long long>(SendMessageW(hWnd, PBM_GETRANGE, FALSE, 0));
    const auto nPos = static_cast<long long>(SendMessageW(hWnd, PBM_GETPOS, 0, 0));
    const long long nPercent = nHigh > nLow ? (nPos - nLow) * 100 / (nHigh - nLow) : 0;
    const std::wstring strText = std::to_wstring(nPercent) + L"%";
    HGDIOBJ hOldFont = SelectObject(
        hdcMem, reinterpret_cast<HFONT>(SendMessageW(GetParent(hWnd), WM_GETFONT, 0, 0)));
    SetBkMode(hdcMem, TRANSPARENT);
    DrawTextW(hdcMem, strText.c_str(), -1, &rect, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
    SelectObject(hdcMem, hOldFont);
    BitBlt(hdc, 0, 0, rect.right, rect.bottom, hdcMem, 0, 0, SRCCOPY);
    SelectObject(hdcMem, hOld);
    DeleteObject(hBitmap);
    DeleteDC(hdcMem);
    EndPaint(hWnd, &paint);
    return 0;
}

RECT DluRect(HWND hDlg, int nX, int nY, int nWidth, int nHeight) {
    RECT rect{nX, nY, nX + nWidth, nY + nHeight};
    MapDialogRect(hDlg, &rect);
    return rect;
}
} // namespace

void CWin32Window::CreateFigures() {
    RECT client;
    GetClientRect(m_hDlg, &client);
    m_baseClient = {client.right, client.bottom};
    const auto hFont = static_cast<WPARAM>(SendMessageW(m_hDlg, WM_GETFONT, 0, 0));
    for (HWND* pLabel : {&m_hTimeLeft, &m_hSlowLine}) {
        const DWORD nStyle = pLabel == &m_hTimeLeft ? SS_RIGHT | WS_VISIBLE : SS_LEFT;
        const int nId = pLabel == &m_hTimeLeft ? IDC_TIME_LEFT : IDC_SLOW_ADAPTER;
        *pLabel = CreateWindowExW(0, L"STATIC", L"", WS_CHILD | SS_NOPREFIX | nStyle, 0, 0, 0, 0,
                                  m_hDlg, reinterpret_cast<HMENU>(static_cast<INT_PTR>(nId)),
                                  m_hInstance, nullptr);
        SendMessageW(*pLabel, WM_SETFONT, hFont, FALSE);
    }
    SetWindowSubclass(Control(ctl::kProgress), ProgressProc, 1, 0);
    PlaceFigures();
}

// The strip between the progress bar and the window's foot is free.
void CWin32Window::PlaceFigures() {
    const RECT rect = DluRect(m_hDlg, 150, 228, 107, 10);
    MoveWindow(m_hTimeLeft, rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top,
               TRUE);
}

void CWin32Window::ShowTimeLeft(const std::string& strText) {
    SetWindowTextW(m_hTimeLeft, Utf16(strText).c_str());
}

void CWin32Window::ShowSlowAdapter(const std::string& strText) {
    SetWindowTextW(m_hSlowLine, Utf16(strText).c_str());
    const RECT margin = DluRect(m_hDlg, 0, 0, kMarginDlu, kMarginDlu);
    RECT line{margin.right, m_baseClient.cy, m_baseClient.cx - margin.right, m_baseClient.cy};
    if (!strText.empty()) {
        HDC hdc = GetDC(m_hSlowLine);
        HGDIOBJ hOld =
            SelectObject(hdc, reinterpret_cast<HFONT>(SendMessageW(m_hDlg, WM_GETFONT, 0, 0)));
        DrawTextW(hdc, Utf16(strText).c_str(), -1, &line, DT_CALCRECT | DT_WORDBREAK);
        SelectObject(hdc, hOld);
        ReleaseDC(m_hSlowLine, hdc);
        line.bottom += margin.bottom;
    }
    MoveWindow(m_hSlowLine, line.left, line.top, m_baseClient.cx - 2 * margin.right,
               line.bottom - line.top, TRUE);
    ShowWindow(m_hSlowLine, strText.empty() ? SW_HIDE : SW_SHOW);
    RECT frame{0, 0, m_baseClient.cx, strText.empty() ? m_baseClient.cy : line.bottom};
    AdjustWindowRectEx(&frame, static_cast<DWORD>(GetWindowLongW(m_hDlg, GWL_STYLE)), FALSE,
                       static_cast<DWORD>(GetWindowLongW(m_hDlg, GWL_EXSTYLE)));
    SetWindowPos(m_hDlg, nullptr, 0, 0, frame.right - frame.left, frame.bottom - frame.top,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

INT_PTR CWin32Window::OnColorStatic(HDC hdc, HWND hControl) {
    if (hControl != m_hSlowLine)
        return FALSE;
    SetTextColor(hdc, kAmber);
    SetBkColor(hdc, GetSysColor(COLOR_BTNFACE));
    return reinterpret_cast<INT_PTR>(GetSysColorBrush(COLOR_BTNFACE));
}

void CWin32Window::OnDrawLogo(const DRAWITEMSTRUCT& item) {
    const int nWidth = item.rcItem.right - item.rcItem.left;
    const int nHeight = item.rcItem.bottom - item.rcItem.top;
    if (!m_hLogo)
        m_hLogo = CreateLogoBitmap(item.hDC, nWidth, nHeight);
    HDC hdcMem = CreateCompatibleDC(item.hDC);
    HGDIOBJ hOld = SelectObject(hdcMem, m_hLogo);
    BitBlt(item.hDC, item.rcItem.left, item.rcItem.top, nWidth, nHeight, hdcMem, 0, 0, SRCCOPY);
    SelectObject(hdcMem, hOld);
    DeleteDC(hdcMem);
}
