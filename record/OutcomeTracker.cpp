#include "record/OutcomeTracker.h"

#include "console/ModuleMessages.h"
#include "window/ControlIds.h"

namespace {
bool StartsWith(const std::string& strText, const char* pszStart) {
    return strText.rfind(pszStart, 0) == 0;
}

bool IsCableMessage(const std::string& strText) {
    for (int n = CableOnController; n <= CableOnIpTransceiverSelected; ++n)
        if (strText == ModuleMessages[n])
            return true;
    return false;
}

// What a box says of the run, if anything.
std::optional<RunOutcome> Verdict(const std::string& strText, const std::string& strCaption,
                                  int nAnswer) {
    if (strText == "Upload Complete!")
        return RunOutcome::Complete;
    if (StartsWith(strText, "Upload Failed"))
        return RunOutcome::UploadFailed;
    if (StartsWith(strText, "Unable to Connect to Card"))
        return RunOutcome::NoConnection;
    if (StartsWith(strText, "Unable to open serial port.") ||
        StartsWith(strText, "Serial_Comm_Error"))
        return RunOutcome::PortNotOpened;
    if (IsCableMessage(strText))
        return RunOutcome::WrongCable;
    if (strCaption == "WARNING: No Application Code Present" && nAnswer != IDOK)
        return RunOutcome::Aborted;
    return std::nullopt;
}
} // namespace

const char* OutcomeName(RunOutcome outcome) {
    switch (outcome) {
    case RunOutcome::Complete:
        return "complete";
    case RunOutcome::WrongCable:
        return "wrong-cable";
    case RunOutcome::LoginFailed:
        return "login-failed";
    case RunOutcome::NoConnection:
        return "no-connection";
    case RunOutcome::UploadFailed:
        return "upload-failed";
    case RunOutcome::Aborted:
        return "aborted";
    case RunOutcome::PortNotOpened:
        return "port-not-opened";
    case RunOutcome::Stopped:
        return "stopped";
    }
    return "unknown";
}

void COutcomeTracker::OnRunStart(const RunStart&) {
    *this = COutcomeTracker();
}

void COutcomeTracker::OnStatus(const std::string& strText) {
    // What the last log-in came to, on the console or in the boot loader.
    if (strText == "Login failed!" || strText == "Bootloader Login Failed, Retrying")
        m_bLoginRefused = true;
    else if (strText == "Login Successful!" || strText == "Bootloader Login Successful!")
        m_bLoginRefused = false;
    if (strText != "Idle")
        m_strStatus = strText;
}

void COutcomeTracker::OnBox(const std::string& strText, const std::string& strCaption,
                            int nAnswer) {
    m_strMessage = strText;
    if (m_decided)
        return;
    m_decided = Verdict(strText, strCaption, nAnswer);
    const bool bFailure =
        m_decided == RunOutcome::NoConnection || m_decided == RunOutcome::UploadFailed;
    if (bFailure && m_bLoginRefused)
        m_decided = RunOutcome::LoginFailed;
}

void COutcomeTracker::OnPasswordPrompt(int nAnswer) {
    if (nAnswer != IDOK)
        m_bPromptCancelled = true;
}

RunEnd COutcomeTracker::Result(bool bStopped) const {
    RunEnd end;
    end.strStatus = m_strStatus;
    end.strMessage = m_strMessage;
    if (m_forced)
        end.outcome = *m_forced;
    else if (m_decided)
        end.outcome = *m_decided;
    else if (bStopped)
        end.outcome = RunOutcome::Stopped;
    else if (m_bPromptCancelled)
        end.outcome = RunOutcome::Aborted;
    else
        end.outcome = RunOutcome::NoConnection; // ended without a word: never a success
    return end;
}
