#pragma once

#include <cstdint>
#include <string>

// How far the progress bar has come and how long the rest will take, from
// how fast it moved since it first moved. The estimate starts over when the
// bar's range changes or the bar goes back (the next image of a run).
class CTimeLeft {
public:
    // The bar stands at nPos of nUpper at nNowMs (any millisecond clock).
    void Update(int64_t nNowMs, int32_t nPos, int32_t nUpper);
    void Reset();

    // 0..100.
    int Percent() const;
    // Seconds left once the bar has moved for kSettleMs; -1 until then.
    int64_t SecondsLeft() const;

    static constexpr int64_t kSettleMs = 5000;

private:
    int32_t m_nUpper = 0;
    int32_t m_nPos = 0;
    int32_t m_nStartPos = -1; // where the bar stood when it first moved
    int64_t m_nStartMs = 0;
    int64_t m_nNowMs = 0;
};

// "4:05 left", "1:02:03 left"; empty for a negative count.
std::string TimeLeftText(int64_t nSeconds);
