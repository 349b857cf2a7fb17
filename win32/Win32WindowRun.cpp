// The window layer during a run: the upgrade runs inside the Upgrade click on
// the GUI thread, so the procedures' loops dispatch the window's messages.
#include "win32/Win32Window.h"

#include <algorithm>

namespace {
constexpr ULONGLONG kPaintEveryMs = 15;
// The runs pump on every pass, every line of an upload; each pump costs the
// window system a round trip, and the operator's clicks need no faster answer.
constexpr ULONGLONG kPumpEveryMs = 10;
} // namespace

void CWin32Window::DispatchWaiting() {
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
        if (msg.message == WM_QUIT) {
            m_bQuitPosted = true; // the window's own loop ends on it
            return;
        }
        if (!IsDialogMessageW(m_hDlg, &msg)) {
            TranslateMessage(&msg);
            DispatchMessageW(&msg);
        }
    }
}

bool CWin32Window::PumpMessages() {
    const ULONGLONG nNow = GetTickCount64();
    if (nNow - m_nLastPumpMs < kPumpEveryMs)
        return !m_bQuitPosted;
    m_nLastPumpMs = nNow;
    DispatchWaiting();
    return !m_bQuitPosted;
}

void CWin32Window::PostQuit() {
    m_bQuitPosted = true;
    PostQuitMessage(0);
}

// Paints what is invalid now: the procedures keep the thread busy. The runs
// ask on every pass, every line of an upload; the screen needs it no oftener
// than it refreshes.
void CWin32Window::UpdateWindow() {
    const ULONGLONG nNow = GetTickCount64();
    if (nNow - m_nLastPaintMs < kPaintEveryMs)
        return;
    m_nLastPaintMs = nNow;
    RedrawWindow(m_hDlg, nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
}

void CWin32Window::Sleep(int nMs) {
    WaitForInput(kNoLineHandle, nMs);
}

// Waits on the line's handle and the thread's message queue together, so the
// window repaints and the operator's clicks are handled while the run waits.
bool CWin32Window::WaitForInput(LineHandle hInput, int nMs) {
    const ULONGLONG nDeadline = GetTickCount64() + static_cast<ULONGLONG>(std::max(nMs, 0));
    DWORD nHandles = hInput == kNoLineHandle ? 0 : 1;
    HANDLE handles[1] = {hInput};
    for (;;) {
        const ULONGLONG nNow = GetTickCount64();
        const DWORD nLeft = nNow >= nDeadline ? 0 : static_cast<DWORD>(nDeadline - nNow);
        const DWORD nWoken =
            MsgWaitForMultipleObjectsEx(nHandles, handles, nLeft, QS_ALLINPUT, MWMO_INPUTAVAILABLE);
        if (nHandles == 1 && nWoken == WAIT_OBJECT_0)
            return true;
        if (nWoken == WAIT_FAILED && nHandles == 1) {
            nHandles = 0; // a failed line is silence for the full time, not a spin
            continue;
        }
        if (nWoken != WAIT_OBJECT_0 + nHandles)
            return false; // the time is up
        DispatchWaiting();
        if (nLeft == 0)
            return false;
    }
}
