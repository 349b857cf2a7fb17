#pragma once

#include <cstdint>
#include <functional>
#include <string>

#include "front/FigureView.h"
#include "record/RunListener.h"
#include "record/TimeLeft.h"

// Feeds a window what it shows of a run besides the dialogue: the time the
// upload has left once its pace is known (cleared when the run ends), and the
// line about a slow adapter, shown when the line reports one and hidden when
// a run starts on a good line.
class CWindowFigures : public CRunListener {
public:
    // fnNowMs: the clock the progress is timed by (the window's).
    CWindowFigures(CFigureView& view, std::function<int64_t()> fnNowMs);

    void OnRunStart(const RunStart&) override;
    void OnProgress(int32_t nPos, int32_t nUpper) override;
    void OnRunEnd(const RunEnd&) override;
    void OnLineOpened(const LineOpening& opening) override;

private:
    void ShowTimeLeft(const std::string& strText);

    CFigureView& m_view;
    std::function<int64_t()> m_fnNowMs;
    CTimeLeft m_timeLeft;
    bool m_bFirstOpening = true;
    std::string m_strTimeLeft; // as shown
};
