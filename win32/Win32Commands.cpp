// What the window offers besides the dialog logic: the About box, help, the
// folder of the run records, and the context menu that holds two of them.
#include "win32/Win32Window.h"

#include <filesystem>
#include <shellapi.h>

#include "dialog/StringTable.h"
#include "record/RecordFolder.h"
#include "win32/ModalDialogs.h"
#include "win32/ResourceIds.h"
#include "win32/Utf16.h"

namespace {
enum MenuCommand { kMenuAbout = 1, kMenuRecords };

std::filesystem::path ExecutableFolder() {
    wchar_t szPath[MAX_PATH] = {};
    const DWORD nLength = GetModuleFileNameW(nullptr, szPath, MAX_PATH);
    return std::filesystem::path(std::wstring(szPath, nLength < MAX_PATH ? nLength : 0))
        .parent_path();
}

bool OpenInShell(HWND hOwner, const std::filesystem::path& path) {
    const auto nResult = reinterpret_cast<INT_PTR>(
        ShellExecuteW(hOwner, L"open", path.wstring().c_str(), nullptr, nullptr, SW_SHOWNORMAL));
    return nResult > 32; // ShellExecute's way of saying it worked
}
} // namespace

void CWin32Window::OnAbout() {
    ShowAboutBox(m_hInstance, m_hDlg, m_hIconBig);
}

// help.html beside the program, in the viewer Windows has for it.
void CWin32Window::OnHelp() {
    const std::filesystem::path page = ExecutableFolder() / "help.html";
    std::error_code ec;
    if (!std::filesystem::is_regular_file(page, ec) || !OpenInShell(m_hDlg, page))
        MessageBox("Failed to launch help.", "", MsgIcon::Exclamation, MsgButtons::Ok);
}

// The run records' folder (created if missing) in Explorer.
void CWin32Window::OnOpenRecords() {
    const std::filesystem::path folder = RecordFolder();
    std::error_code ec;
    std::filesystem::create_directories(folder, ec);
    OpenInShell(m_hDlg, folder);
}

void CWin32Window::OnContextMenu(int nX, int nY) {
    HMENU hMenu = CreatePopupMenu();
    AppendMenuW(hMenu, MF_STRING, kMenuAbout, Utf16(str::kAboutItem).c_str());
    AppendMenuW(hMenu, MF_STRING, kMenuRecords, L"Open run records");
    // From the keyboard (Shift+F10) the menu opens at the window's corner.
    if (nX == -1 && nY == -1) {
        RECT rect;
        GetWindowRect(m_hDlg, &rect);
        nX = rect.left;
        nY = rect.top;
    }
    const int nChosen =
        TrackPopupMenu(hMenu, TPM_RETURNCMD | TPM_RIGHTBUTTON, nX, nY, 0, m_hDlg, nullptr);
    DestroyMenu(hMenu);
    if (nChosen == kMenuAbout)
        OnAbout();
    else if (nChosen == kMenuRecords)
        OnOpenRecords();
}
