#include "window/WaitReadable.h"

#include <chrono>
#include <thread>

bool WaitReadable(LineHandle hInput, int nMs) {
    using Clock = std::chrono::steady_clock;
    const auto deadline = Clock::now() + std::chrono::milliseconds(nMs);
    if (InputReady(hInput, nMs))
        return true;
    std::this_thread::sleep_until(deadline);
    return false;
}
