#include "qt/WindowFigures.h"

#include "qt/QtWindow.h"

CWindowFigures::CWindowFigures(CQtWindow& window, std::function<int64_t()> fnNowMs)
    : m_window(window), m_fnNowMs(std::move(fnNowMs)) {
    if (!m_fnNowMs)
        m_fnNowMs = [this] { return m_window.NowMs(); };
}

void CWindowFigures::OnRunStart(const RunStart&) {
    m_timeLeft.Reset();
    m_window.ShowTimeLeft("");
    m_bFirstOpening = true;
}

void CWindowFigures::OnProgress(int32_t nPos, int32_t nUpper) {
    m_timeLeft.Update(m_fnNowMs(), nPos, nUpper);
    m_window.ShowTimeLeft(TimeLeftText(m_timeLeft.SecondsLeft()));
}

void CWindowFigures::OnRunEnd(const RunEnd&) {
    m_timeLeft.Reset();
    m_window.ShowTimeLeft("");
}

// A run opens the line more than once; a slow adapter at any opening shows,
// and only a good first opening takes the line away again.
void CWindowFigures::OnLineOpened(const LineOpening& opening) {
    if (!opening.strSlowAdapter.empty())
        m_window.ShowSlowAdapter(opening.strSlowAdapter);
    else if (m_bFirstOpening)
        m_window.ShowSlowAdapter("");
    m_bFirstOpening = false;
}
