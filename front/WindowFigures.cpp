#include "front/WindowFigures.h"

CWindowFigures::CWindowFigures(CFigureView& view, std::function<int64_t()> fnNowMs)
    : m_view(view), m_fnNowMs(std::move(fnNowMs)) {}

void CWindowFigures::OnRunStart(const RunStart&) {
    m_timeLeft.Reset();
    ShowTimeLeft("");
    m_bFirstOpening = true;
}

void CWindowFigures::OnProgress(int32_t nPos, int32_t nUpper) {
    m_timeLeft.Update(m_fnNowMs(), nPos, nUpper);
    ShowTimeLeft(TimeLeftText(m_timeLeft.SecondsLeft()));
}

void CWindowFigures::OnRunEnd(const RunEnd&) {
    m_timeLeft.Reset();
    ShowTimeLeft("");
}

// The upload reports every line; a window hears only of a new text (a
// label set again repaints at once on some systems, every line).
void CWindowFigures::ShowTimeLeft(const std::string& strText) {
    if (strText == m_strTimeLeft)
        return;
    m_strTimeLeft = strText;
    m_view.ShowTimeLeft(strText);
}

// A run opens the line more than once; a slow adapter at any opening shows,
// and only a good first opening takes the line away again.
void CWindowFigures::OnLineOpened(const LineOpening& opening) {
    if (!opening.strSlowAdapter.empty())
        m_view.ShowSlowAdapter(opening.strSlowAdapter);
    else if (m_bFirstOpening)
        m_view.ShowSlowAdapter("");
    m_bFirstOpening = false;
}
