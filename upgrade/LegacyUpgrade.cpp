// The legacy run: a receive loop over the thirteen states of the Transceiver
// and Controller upgrade.
#include "app/UpgraderDlg.h"
#include "upgrade/LegacySteps.h"

void legacy::LegacyStep(CUpgraderDlg& dlg, RunState& run) {
    switch (run.nState) {
    case ConsoleLogin:
        dlg.LegacyLoginStep(run.bStop, run.nState);
        break;
    case AwaitBootloader:
        AwaitBootloaderStep(dlg, run);
        break;
    case BootLogin:
        BootLoginStep(dlg, run);
        break;
    case BootPassword:
        BootPasswordStep(dlg, run);
        break;
    case BootMenu:
        BootMenuStep(dlg, run);
        break;
    case BaudSelect:
        BaudSelectStep(dlg, run);
        break;
    case BaudConfirm:
        BaudConfirmStep(dlg, run);
        break;
    case MergeMenu:
        MergeMenuStep(dlg, run);
        break;
    case AwaitSrecInput:
        AwaitSrecInputStep(dlg, run);
        break;
    case SendImage:
        SendImageStep(dlg, run);
        break;
    case AwaitFlashWrite:
        AwaitFlashWriteStep(dlg, run);
        break;
    case RebootModule:
        RebootModuleStep(dlg, run);
        break;
    case Finish:
        FinishStep(dlg, run);
        break;
    default:
        run.nState = ConsoleLogin;
        break;
    }
}

void CUpgraderDlg::RunLegacyUpgrade() {
    RunState run;
    m_bUploadFailed = 0;
    m_nRetryCount = 0;
    m_bRebootAttempted = false;
    legacy::ResetFlashWriteWatch();
    // Only the streaming state steps on passes that brought nothing, and it
    // takes what has arrived at once.
    const auto streaming = [](int32_t nState) { return nState == SendImage; };
    RunReceiveLoop(
        LoopVariant::Legacy, run, streaming, [this](RunState& r) { legacy::LegacyStep(*this, r); },
        streaming);
}
