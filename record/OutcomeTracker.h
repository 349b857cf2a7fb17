#pragma once

#include <optional>
#include <string>

#include "record/RunListener.h"

// Tells how a run ended from what the operator was shown: the message boxes
// and their answers, the statuses, a cancelled password prompt. The first
// box that decides a run decides it; a log-in refused, and not followed by
// one that succeeded, names the failure that follows it.
class COutcomeTracker : public CRunListener {
public:
    void OnRunStart(const RunStart&) override;
    void OnStatus(const std::string& strText) override;
    void OnBox(const std::string& strText, const std::string& strCaption, int nAnswer) override;
    void OnPasswordPrompt(int nAnswer) override;

    // A front end decided the outcome itself (a console that cannot answer a
    // second password prompt); it holds over anything shown later.
    void Decide(RunOutcome outcome) { m_forced = outcome; }

    // The run is over; bStopped: the operator or a signal asked it to stop.
    RunEnd Result(bool bStopped) const;

private:
    std::optional<RunOutcome> m_decided;
    std::optional<RunOutcome> m_forced;
    bool m_bLoginRefused = false;
    bool m_bPromptCancelled = false;
    std::string m_strStatus;
    std::string m_strMessage;
};
