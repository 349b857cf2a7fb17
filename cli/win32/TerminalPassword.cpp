#include "cli/TerminalPassword.h"

#include <windows.h>

#include <algorithm>
#include <vector>

#include "cli/win32/ConsoleRestore.h"
#include "common/win32/Utf16.h"

namespace {
constexpr DWORD kStopCheckMs = 50;
constexpr DWORD kPeekedAtLeast = 64;
constexpr wchar_t kEndOfInput = 0x1A; // Ctrl-Z, a console's end of input

// The console itself, as /dev/tty is on Linux, whatever the standard handles are.
HANDLE OpenConsole(const wchar_t* pszName) {
    return CreateFileW(pszName, GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE,
                       nullptr, OPEN_EXISTING, 0, nullptr);
}

void WriteText(HANDLE hOut, const std::string& strText) {
    const std::wstring strWide = Utf16FromUtf8(strText);
    DWORD dwWritten = 0;
    WriteConsoleW(hOut, strWide.data(), static_cast<DWORD>(strWide.size()), &dwWritten, nullptr);
}

// True when the console holds a whole line: then ReadConsoleW returns at
// once. A pending ReadConsoleW is not ended by Ctrl-C everywhere (Wine's is
// not), so the read waits for the Enter key instead and the stop is seen.
// Records are peeked even where none are counted: Wine's console takes in
// what was typed only when it is asked for records.
bool LineWaiting(HANDLE hIn) {
    DWORD dwCount = 0;
    GetNumberOfConsoleInputEvents(hIn, &dwCount);
    std::vector<INPUT_RECORD> records(std::max(dwCount, kPeekedAtLeast));
    DWORD dwPeeked = 0;
    if (!PeekConsoleInputW(hIn, records.data(), static_cast<DWORD>(records.size()), &dwPeeked))
        return false;
    return std::any_of(records.begin(), records.begin() + dwPeeked, [](const INPUT_RECORD& r) {
        return r.EventType == KEY_EVENT && r.Event.KeyEvent.bKeyDown &&
               r.Event.KeyEvent.uChar.UnicodeChar == L'\r';
    });
}

// Reads up to the line end; nothing on end of input, a failure or a stop.
std::optional<std::string> ReadLine(HANDLE hIn, const std::function<bool()>& fnStop) {
    std::wstring strLine;
    for (;;) {
        if (fnStop && fnStop())
            return std::nullopt;
        if (strLine.empty() && !LineWaiting(hIn)) {
            Sleep(kStopCheckMs);
            continue;
        }
        wchar_t szChunk[64];
        DWORD dwRead = 0;
        if (!ReadConsoleW(hIn, szChunk, 64, &dwRead, nullptr) || dwRead == 0)
            return std::nullopt;
        strLine.append(szChunk, dwRead);
        if (strLine[0] == kEndOfInput)
            return std::nullopt;
        const size_t nEnd = strLine.find_first_of(L"\r\n");
        if (nEnd != std::wstring::npos)
            return Utf8FromUtf16(std::wstring_view(strLine).substr(0, nEnd));
    }
}
} // namespace

bool CanAskOnTerminal() {
    DWORD dwMode = 0;
    if (!GetConsoleMode(GetStdHandle(STD_INPUT_HANDLE), &dwMode))
        return false;
    const HANDLE hIn = OpenConsole(L"CONIN$");
    if (hIn == INVALID_HANDLE_VALUE)
        return false;
    CloseHandle(hIn);
    return true;
}

std::optional<std::string> AskOnTerminal(const std::string& strQuestion,
                                         const std::function<bool()>& fnStop) {
    const HANDLE hIn = OpenConsole(L"CONIN$");
    const HANDLE hOut = OpenConsole(L"CONOUT$");
    std::optional<std::string> answer;
    DWORD dwSaved = 0;
    if (hIn != INVALID_HANDLE_VALUE && hOut != INVALID_HANDLE_VALUE &&
        GetConsoleMode(hIn, &dwSaved)) {
        // Line editing stays; only the echo goes. What was typed ahead is
        // dropped, as on Linux.
        KeepConsoleInputMode(hIn, dwSaved);
        SetConsoleMode(hIn, (dwSaved | ENABLE_LINE_INPUT | ENABLE_PROCESSED_INPUT) &
                                ~static_cast<DWORD>(ENABLE_ECHO_INPUT));
        FlushConsoleInputBuffer(hIn);
        WriteText(hOut, strQuestion);
        answer = ReadLine(hIn, fnStop);
        RestoreConsoleInputMode();
        // Without echo the line end was not shown either.
        WriteText(hOut, "\r\n");
    }
    if (hIn != INVALID_HANDLE_VALUE)
        CloseHandle(hIn);
    if (hOut != INVALID_HANDLE_VALUE)
        CloseHandle(hOut);
    return answer;
}
