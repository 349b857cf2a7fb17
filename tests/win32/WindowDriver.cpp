#include "WindowDriver.h"

#include "win32/Utf16.h"
#include "win32/Win32Window.h"

namespace {
// Message boxes show their text in a static of this id.
constexpr int kBoxTextId = 0xFFFF;
constexpr int kPollMs = 20;

struct Search {
    DWORD nProcess;
    HWND hExcept;
    std::wstring strTitle; // empty: any dialog
    HWND hFound = nullptr;
};

BOOL CALLBACK FindDialog(HWND hWnd, LPARAM lParam) {
    auto& search = *reinterpret_cast<Search*>(lParam);
    DWORD nProcess = 0;
    GetWindowThreadProcessId(hWnd, &nProcess);
    wchar_t szClass[16] = {}, szTitle[128] = {};
    GetClassNameW(hWnd, szClass, 16);
    GetWindowTextW(hWnd, szTitle, 128);
    if (nProcess != search.nProcess || hWnd == search.hExcept || !IsWindowVisible(hWnd) ||
        std::wstring(szClass) != L"#32770" ||
        (!search.strTitle.empty() && search.strTitle != szTitle))
        return TRUE;
    search.hFound = hWnd;
    return FALSE;
}

HWND FindProcessDialog(DWORD nProcess, HWND hExcept, const std::wstring& strTitle) {
    Search search{nProcess, hExcept, strTitle};
    EnumWindows(FindDialog, reinterpret_cast<LPARAM>(&search));
    return search.hFound;
}
} // namespace

CWindowDriver::~CWindowDriver() {
    if (m_process.hProcess) {
        if (WaitForSingleObject(m_process.hProcess, 0) == WAIT_TIMEOUT)
            TerminateProcess(m_process.hProcess, 99);
        CloseHandle(m_process.hProcess);
        CloseHandle(m_process.hThread);
    }
}

bool CWindowDriver::Launch(const std::wstring& strCommandLine) {
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    std::wstring strLine = strCommandLine;
    if (!CreateProcessW(nullptr, strLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                        &startup, &m_process))
        return false;
    WaitForInputIdle(m_process.hProcess, 30000);
    const std::wstring strTitle = Utf16(MainWindowTitle());
    for (int nWaited = 0; nWaited < 60000 && !m_hMain; nWaited += kPollMs) {
        m_hMain = FindProcessDialog(m_process.dwProcessId, nullptr, strTitle);
        if (!m_hMain)
            ::Sleep(kPollMs);
    }
    return m_hMain != nullptr;
}

std::string CWindowDriver::Text(HWND hWnd) const {
    wchar_t szText[1024] = {};
    SendMessageW(hWnd, WM_GETTEXT, 1024, reinterpret_cast<LPARAM>(szText));
    return Utf8(szText);
}

void CWindowDriver::Click(int nId) const {
    SendMessageW(Control(nId), BM_CLICK, 0, 0);
}

void CWindowDriver::Press(int nId) const {
    PostMessageW(Control(nId), BM_CLICK, 0, 0);
}

bool CWindowDriver::Choose(int nList, const std::string& strEntry) const {
    HWND hList = Control(nList);
    const LRESULT nIndex = SendMessageW(hList, CB_FINDSTRINGEXACT, static_cast<WPARAM>(-1),
                                        reinterpret_cast<LPARAM>(Utf16(strEntry).c_str()));
    if (nIndex == CB_ERR)
        return false;
    SendMessageW(hList, CB_SETCURSEL, static_cast<WPARAM>(nIndex), 0);
    SendMessageW(m_hMain, WM_COMMAND, MAKEWPARAM(nList, CBN_SELCHANGE),
                 reinterpret_cast<LPARAM>(hList));
    return true;
}

HWND CWindowDriver::Modal() const {
    return FindProcessDialog(m_process.dwProcessId, m_hMain, L"");
}

void CWindowDriver::Answer(HWND hModal, const std::function<int(const std::string&)>& fnAnswer) {
    int nButton = IDOK;
    if (Text(hModal) != "Password") {
        m_boxes.push_back(Text(GetDlgItem(hModal, kBoxTextId)));
        nButton = fnAnswer ? fnAnswer(m_boxes.back()) : IDOK;
    }
    PostMessageW(GetDlgItem(hModal, nButton), BM_CLICK, 0, 0);
    for (int nWaited = 0; IsWindow(hModal) && nWaited < 30000; nWaited += kPollMs)
        ::Sleep(kPollMs);
}

bool CWindowDriver::AnswerUntil(const std::function<bool()>& fnDone, int nLimitMs,
                                const std::function<int(const std::string&)>& fnAnswer) {
    for (int nWaited = 0; nWaited < nLimitMs; nWaited += kPollMs) {
        if (fnDone())
            return true;
        if (WaitForSingleObject(m_process.hProcess, 0) == WAIT_OBJECT_0)
            return false;
        if (HWND hModal = Modal())
            Answer(hModal, fnAnswer);
        else
            ::Sleep(kPollMs);
    }
    return false;
}

int CWindowDriver::WaitForExit(int nLimitMs) {
    DWORD nCode = 0;
    if (WaitForSingleObject(m_process.hProcess, static_cast<DWORD>(nLimitMs)) != WAIT_OBJECT_0 ||
        !GetExitCodeProcess(m_process.hProcess, &nCode))
        return -1;
    return static_cast<int>(nCode);
}

bool StatusStartsWith(const CWindowDriver& driver, const std::string& strText) {
    return driver.Text(driver.Control(ctl::kStatus)).rfind(strText, 0) == 0;
}
