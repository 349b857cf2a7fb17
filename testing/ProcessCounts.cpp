#include "testing/ProcessCounts.h"

#include <chrono>
#include <thread>

int CountThreadsSteady() {
    using Clock = std::chrono::steady_clock;
    constexpr int kSamplesAlike = 30; // 10 ms apart
    const auto giveUp = Clock::now() + std::chrono::seconds(5);
    int n = CountThreads();
    for (int nAlike = 0; nAlike < kSamplesAlike && Clock::now() < giveUp;) {
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
        const int nNow = CountThreads();
        nAlike = nNow == n ? nAlike + 1 : 0;
        n = nNow;
    }
    return n;
}
