// The window layer during a run: the upgrade runs inside the Upgrade click on
// the GUI thread, so the window is kept alive from the procedures' loops.
#include "qt/QtWindow.h"

#include <QCoreApplication>
#include <QEventLoop>
#include <algorithm>

#include "window/WaitReadable.h"

namespace {
// Waits are cut into slices this long; between slices the window repaints.
constexpr int kSliceMs = 15;
} // namespace

bool CQtWindow::PumpMessages() {
    QCoreApplication::processEvents(QEventLoop::AllEvents);
    return !m_bQuitPosted;
}

void CQtWindow::PostQuit() {
    m_bQuitPosted = true;
    // Ends the window once control is back in its own event loop.
    QMetaObject::invokeMethod(
        this, [this] { done(m_nQuitResult); }, Qt::QueuedConnection);
}

// Paints what is invalid now, and nothing when nothing changed: the runs call
// this on every pass.
void CQtWindow::UpdateWindow() {
    QCoreApplication::sendPostedEvents(this, QEvent::UpdateRequest);
}

// Paints and handles everything but the operator's input, which stays queued
// for the next PumpMessages.
void CQtWindow::Sleep(int nMs) {
    WaitForInput(kNoLineHandle, nMs);
}

bool CQtWindow::WaitForInput(LineHandle hInput, int nMs) {
    const int64_t nDeadline = NowMs() + std::max(nMs, 0);
    for (;;) {
        QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
        const int64_t nLeft = nDeadline - NowMs();
        if (nLeft <= 0)
            return false;
        if (WaitReadable(hInput, static_cast<int>(std::min<int64_t>(nLeft, kSliceMs))))
            return true;
    }
}
