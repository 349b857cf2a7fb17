#include "cli/Terminal.h"

#include <windows.h>

#include <fcntl.h>
#include <io.h>

#include <cstdio>

#include "cli/win32/ConsoleRestore.h"

namespace {
constexpr size_t kConsoleBuffer = 4096;

// A console answers GetConsoleMode; a file or a pipe does not.
bool IsConsole(DWORD dwStdHandle) {
    DWORD dwMode = 0;
    return GetConsoleMode(GetStdHandle(dwStdHandle), &dwMode) != 0;
}

// The C runtime hands a console an unbuffered stream a byte at a time, and in
// text mode may decode the bytes by its own locale (Wine's does): the bytes
// as they stand, kept until the program flushes its line, give the console
// whole UTF-8 sequences. A console starts a new line at '\n' by itself.
void PassWholeSequences(std::FILE* pStream) {
    _setmode(_fileno(pStream), _O_BINARY);
    std::setvbuf(pStream, nullptr, _IOFBF, kConsoleBuffer);
}
} // namespace

bool IsErrorStreamTerminal() {
    return IsConsole(STD_ERROR_HANDLE);
}

CTerminalText::CTerminalText() {
    // 0: no console at all, nothing to set.
    const UINT nCodePage = GetConsoleOutputCP();
    if (nCodePage != 0 && nCodePage != CP_UTF8 && SetConsoleOutputCP(CP_UTF8))
        KeepConsoleOutputCodePage(nCodePage);
    if (IsConsole(STD_ERROR_HANDLE))
        PassWholeSequences(stderr);
    if (IsConsole(STD_OUTPUT_HANDLE))
        PassWholeSequences(stdout);
}

CTerminalText::~CTerminalText() {
    // What is still buffered is written in the code page it was meant for.
    std::fflush(stdout);
    std::fflush(stderr);
    RestoreConsoleOutputCodePage();
}
