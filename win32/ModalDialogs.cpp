#include "win32/ModalDialogs.h"

#include "win32/ResourceIds.h"
#include "win32/Utf16.h"

namespace {
INT_PTR CALLBACK AboutProc(HWND hDlg, UINT nMsg, WPARAM wParam, LPARAM lParam) {
    if (nMsg == WM_INITDIALOG) {
        SendDlgItemMessageW(hDlg, IDC_ABOUT_ICON, STM_SETICON, static_cast<WPARAM>(lParam), 0);
        return TRUE;
    }
    if (nMsg == WM_COMMAND && (LOWORD(wParam) == IDOK || LOWORD(wParam) == IDCANCEL)) {
        EndDialog(hDlg, LOWORD(wParam));
        return TRUE;
    }
    return FALSE;
}

struct PasswordState {
    std::string strText;
};

INT_PTR CALLBACK PasswordProc(HWND hDlg, UINT nMsg, WPARAM wParam, LPARAM lParam) {
    auto* pState = reinterpret_cast<PasswordState*>(GetWindowLongPtrW(hDlg, DWLP_USER));
    if (nMsg == WM_INITDIALOG) {
        SetWindowLongPtrW(hDlg, DWLP_USER, lParam);
        pState = reinterpret_cast<PasswordState*>(lParam);
        SetDlgItemTextW(hDlg, ctl::kPassword, Utf16(pState->strText).c_str());
        return TRUE; // the focus to the first tab stop, the field
    }
    if (nMsg != WM_COMMAND || (LOWORD(wParam) != IDOK && LOWORD(wParam) != IDCANCEL))
        return FALSE;
    if (LOWORD(wParam) == IDOK) {
        HWND hField = GetDlgItem(hDlg, ctl::kPassword);
        std::wstring strText(static_cast<size_t>(GetWindowTextLengthW(hField)) + 1, L'\0');
        strText.resize(static_cast<size_t>(
            GetWindowTextW(hField, strText.data(), static_cast<int>(strText.size()))));
        pState->strText = Utf8(strText);
    }
    EndDialog(hDlg, LOWORD(wParam));
    return TRUE;
}
} // namespace

void ShowAboutBox(HINSTANCE hInstance, HWND hOwner, HICON hIcon) {
    DialogBoxParamW(hInstance, MAKEINTRESOURCEW(IDD_ABOUTBOX), hOwner, AboutProc,
                    reinterpret_cast<LPARAM>(hIcon));
}

int ShowPasswordPrompt(HINSTANCE hInstance, HWND hOwner, const std::string& strDefault,
                       std::string& strEntered) {
    PasswordState state{strDefault};
    const INT_PTR nResult = DialogBoxParamW(hInstance, MAKEINTRESOURCEW(IDD_PASSWORD), hOwner,
                                            PasswordProc, reinterpret_cast<LPARAM>(&state));
    if (nResult != IDOK)
        return IDCANCEL;
    strEntered = state.strText;
    return IDOK;
}
