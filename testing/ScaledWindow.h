#pragma once

#include <chrono>
#include <functional>
#include <thread>

#include "testing/ScriptedWindow.h"
#include "window/WaitReadable.h"

// The scripted window on a virtual clock whose sleeps still take a tenth of
// their time for real, so a module running on the real clock (with its own
// delays scaled down alike) keeps step with the run. A wait for input gives
// the module up to nGraceMs of real time (the whole wait when negative) to
// answer before the wait counts as silence: a loaded machine must not turn a
// slow answer into silence, while a test of silence wants it short.
class CScaledWindow : public CScriptedWindow {
public:
    CScaledWindow() : CScriptedWindow(true) {}

    int nGraceMs = -1;
    // Runs after every sleep, so a test can let its module catch up with a
    // clock that runs ten times faster than the module's.
    std::function<void()> afterSleep;

    void Sleep(int nMs) override {
        std::this_thread::sleep_for(std::chrono::milliseconds(nMs / 10));
        CScriptedWindow::Sleep(nMs);
        if (afterSleep)
            afterSleep();
    }
    bool WaitForInput(LineHandle hInput, int nMs) override {
        if (hInput != kNoLineHandle && WaitReadable(hInput, nGraceMs < 0 ? nMs : nGraceMs))
            return true;
        return CScriptedWindow::WaitForInput(hInput, nMs);
    }
};
