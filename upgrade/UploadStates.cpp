// States 9 to 12 of the legacy run: streaming, the module's flash write, the
// reboot and the verdict.
#include <cstring>

#include "upgrade/LegacySteps.h"

namespace {
// The module may report "FAILURE" while it writes its flash. It is watched
// for with a counter of its own, so that the "MERGE" test keeps the shared
// matcher exactly as it stands and a report split over two chunks is found.
constexpr char kFailure[] = "FAILURE";
size_t s_nFailureMatched = 0;

bool FailureReported(const uint8_t* pData, int32_t nLength) {
    for (int32_t i = 0; i < nLength; ++i) {
        if (pData[i] == static_cast<uint8_t>(kFailure[s_nFailureMatched]))
            ++s_nFailureMatched;
        else
            s_nFailureMatched = pData[i] == static_cast<uint8_t>(kFailure[0]) ? 1 : 0;
        if (s_nFailureMatched == sizeof(kFailure) - 1) {
            s_nFailureMatched = 0;
            return true;
        }
    }
    return false;
}

const char* RebootStatus(const CUpgraderDlg& dlg, bool bFinal) {
    if (dlg.m_nModuleKind == Transceiver)
        return bFinal ? "Rebooting Transceiver......" : "Rebooting Transceiver...";
    return bFinal ? "Rebooting Controller......" : "Rebooting Controller...";
}
} // namespace

void legacy::ResetFlashWriteWatch() {
    s_nFailureMatched = 0;
}

void legacy::SendImageStep(CUpgraderDlg& dlg, RunState& run) {
    dlg.m_window.SetProgressRange(0, dlg.m_nImageSize);
    run.nState = dlg.SendMergeLine();
    run.nEmptyPolls = 0;
    // An image line that cannot be sent ends the run at once.
    if (run.nState == Finish)
        FinishStep(dlg, run);
}

void legacy::AwaitFlashWriteStep(CUpgraderDlg& dlg, RunState& run) {
    run.nEmptyPolls = 0;
    if (FailureReported(dlg.m_pRxBuffer, dlg.m_nRxCount))
        dlg.m_bUploadFailed = 1;
    if (!Seen(dlg, "MERGE"))
        return;
    SendLetter(dlg, 'r');
    run.nState = RebootModule;
    dlg.SetStatus("File Transfer Complete!");
    dlg.m_window.Sleep(100);
    dlg.SetStatus(RebootStatus(dlg, false));
}

void legacy::RebootModuleStep(CUpgraderDlg& dlg, RunState& run) {
    SendLetter(dlg, 'r');
    dlg.SetStatus(RebootStatus(dlg, true));
    run.nState = Finish;
    dlg.m_window.Sleep(100);
}

void legacy::FinishStep(CUpgraderDlg& dlg, RunState& run) {
    dlg.m_comm.Disconnect();
    if (dlg.m_bUploadFailed == 1) {
        dlg.m_window.MessageBox("Upload Failed!", "", MsgIcon::Stop, MsgButtons::Ok);
        dlg.SetStatus("Upload Failed");
    } else {
        dlg.m_window.MessageBox("Upload Complete!", "", MsgIcon::None, MsgButtons::Ok);
        dlg.SetStatus("Idle");
    }
    run.bStop = 1;
    dlg.m_window.SetProgressPos(0);
}
