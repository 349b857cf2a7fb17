#include "record/TimeLeft.h"

#include <cstdio>

void CTimeLeft::Reset() {
    *this = CTimeLeft{};
}

void CTimeLeft::Update(int64_t nNowMs, int32_t nPos, int32_t nUpper) {
    if (nUpper != m_nUpper || nPos < m_nPos)
        Reset();
    m_nUpper = nUpper;
    m_nPos = nPos;
    m_nNowMs = nNowMs;
    if (m_nStartPos < 0) {
        m_nStartPos = nPos;
        m_nStartMs = nNowMs;
    }
}

int CTimeLeft::Percent() const {
    if (m_nUpper <= 0 || m_nPos <= 0)
        return 0;
    if (m_nPos >= m_nUpper)
        return 100;
    return static_cast<int>(int64_t{m_nPos} * 100 / m_nUpper);
}

int64_t CTimeLeft::SecondsLeft() const {
    const int64_t nElapsed = m_nNowMs - m_nStartMs;
    const int64_t nDone = int64_t{m_nPos} - m_nStartPos;
    if (m_nStartPos < 0 || nElapsed < kSettleMs || nDone <= 0)
        return -1;
    const int64_t nRest = int64_t{m_nUpper} - m_nPos;
    if (nRest <= 0)
        return 0;
    return (nRest * nElapsed / nDone + 999) / 1000;
}

std::string TimeLeftText(int64_t nSeconds) {
    if (nSeconds < 0)
        return {};
    char sz[48];
    const long long h = nSeconds / 3600, m = nSeconds / 60 % 60, s = nSeconds % 60;
    if (h > 0)
        std::snprintf(sz, sizeof sz, "%lld:%02lld:%02lld left", h, m, s);
    else
        std::snprintf(sz, sizeof sz, "%lld:%02lld left", m, s);
    return sz;
}
