#pragma once

#include <functional>

#include "cli/ConsoleOut.h"
#include "record/RunListener.h"
#include "record/TimeLeft.h"

// The run's progress on the error stream: on a terminal one line rewritten
// in place (the status, the bar's percent and the time left while an image
// goes out), otherwise one line per status change. Notices get lines of
// their own.
class CProgress : public CRunListener {
public:
    CProgress(CConsoleOut& out, std::function<int64_t()> fnNowMs)
        : m_out(out), m_fnNowMs(std::move(fnNowMs)) {}

    void OnRunStart(const RunStart&) override;
    void OnStatus(const std::string& strText) override;
    void OnProgress(int32_t nPos, int32_t nUpper) override;
    void OnNotice(const std::string& strText) override { m_out.Line(strText); }
    void OnRunEnd(const RunEnd&) override { m_out.EndRewrite(); }

    // The rewritten line as it stands.
    std::string Text() const;

private:
    CConsoleOut& m_out;
    std::function<int64_t()> m_fnNowMs;
    CTimeLeft m_timeLeft;
    std::string m_strStatus;
    std::string m_strPrinted; // the last status given a line of its own
    bool m_bMoved = false;    // the bar moved in this run
};
