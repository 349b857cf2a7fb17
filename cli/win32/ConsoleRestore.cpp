#include "cli/win32/ConsoleRestore.h"

#include <atomic>

namespace {
// The console control handler runs on a thread of its own: atomics, and each
// put back at most once.
std::atomic<UINT> g_nCodePage{0}; // 0: nothing to put back
std::atomic<HANDLE> g_hInput{nullptr};
std::atomic<DWORD> g_dwInputMode{0};
} // namespace

void KeepConsoleOutputCodePage(UINT nCodePage) {
    g_nCodePage = nCodePage;
}

void RestoreConsoleOutputCodePage() {
    const UINT nCodePage = g_nCodePage.exchange(0);
    if (nCodePage != 0)
        SetConsoleOutputCP(nCodePage);
}

void KeepConsoleInputMode(HANDLE hInput, DWORD dwMode) {
    g_dwInputMode = dwMode;
    g_hInput = hInput;
}

void RestoreConsoleInputMode() {
    const HANDLE hInput = g_hInput.exchange(nullptr);
    if (hInput != nullptr)
        SetConsoleMode(hInput, g_dwInputMode);
}

void RestoreConsole() {
    RestoreConsoleInputMode();
    RestoreConsoleOutputCodePage();
}
