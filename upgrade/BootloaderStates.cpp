// States 1 to 8 of the legacy run: the boot loader's log-in, the baud change
// and the way into the merge-file upload.
#include "upgrade/LegacySteps.h"

namespace {
constexpr int32_t kBannerAttempts = 3;
}

void legacy::AwaitBootloaderStep(CUpgraderDlg& dlg, RunState& run) {
    if (Seen(dlg, "Bootloader")) {
        run.nState = BootLogin;
        BootLoginStep(dlg, run);
        return;
    }
    dlg.m_window.Sleep(2000);
    // Exactly the third miss goes back to the console; a counter that came in
    // above that keeps waiting here.
    if (++dlg.m_nRetryCount == kBannerAttempts) {
        run.nState = ConsoleLogin;
        dlg.SetStatus("Bootloader Entry failed... Retrying");
        dlg.m_comm.WriteCommByte(13);
        return;
    }
    // The banner may have scrolled past in an earlier chunk: answer the log-in.
    BootLoginStep(dlg, run);
}

void legacy::BootLoginStep(CUpgraderDlg& dlg, RunState& run) {
    if (!Seen(dlg, "Login >"))
        return;
    dlg.m_comm.WriteCommString("root\r");
    run.nState = BootPassword;
    dlg.SetStatus("Bootloader Login...");
    dlg.m_window.Sleep(100);
}

void legacy::BootPasswordStep(CUpgraderDlg& dlg, RunState& run) {
    if (!Seen(dlg, "Passwd >"))
        return;
    dlg.m_comm.WriteCommString("vexa\r", true);
    run.nState = BootMenu;
    dlg.SetStatus("Bootloader Login......");
    dlg.m_window.Sleep(200);
}

void legacy::BootMenuStep(CUpgraderDlg& dlg, RunState& run) {
    if (Seen(dlg, "selection")) {
        SendLetter(dlg, 'b');
        run.nState = BaudSelect;
        dlg.SetStatus("Bootloader Login Successful!");
        dlg.m_window.Sleep(100);
        dlg.SetStatus("Changing Baud Rate");
    }
    // Tested whatever the menu test found.
    if (Seen(dlg, "Incorrect")) {
        run.nState = BootLogin;
        dlg.SetStatus("Bootloader Login Failed, Retrying");
        dlg.m_window.Sleep(100);
    }
}

void legacy::BaudSelectStep(CUpgraderDlg& dlg, RunState& run) {
    if (!Seen(dlg, "selection"))
        return;
    const std::string strBaud = dlg.m_window.GetControlText(ctl::kBaudList);
    dlg.SetBootloaderBaud(strBaud);
    run.nState = BaudConfirm;
}

void legacy::BaudConfirmStep(CUpgraderDlg& dlg, RunState& run) {
    if (!Seen(dlg, "selection"))
        return;
    SendLetter(dlg, '9');
    run.nState = MergeMenu;
    dlg.SetStatus("Baud Change Successful!");
    dlg.m_window.Sleep(100);
    dlg.SetStatus("Entering Merge File Upload");
}

void legacy::MergeMenuStep(CUpgraderDlg& dlg, RunState& run) {
    if (!Seen(dlg, "MERGE"))
        return;
    SendLetter(dlg, 'u');
    run.nState = AwaitSrecInput;
    dlg.SetStatus("Commencing Merge File upload...");
    dlg.m_window.Sleep(100);
    dlg.SetStatus("Opening File...");
}

void legacy::AwaitSrecInputStep(CUpgraderDlg& dlg, RunState& run) {
    if (!Seen(dlg, "S Record input.."))
        return;
    const char* pszImage = dlg.m_nModuleKind == Transceiver ? "SREC_TRAN" : "SREC_ADI_CTRL";
    if (dlg.LoadImage(pszImage)) {
        run.nState = SendImage;
        return;
    }
    // Streaming from a stale cursor would send garbage: report and end the
    // run now, while the module still holds its old software.
    dlg.SetStatus("Unable to load upgrade data");
    dlg.m_bUploadFailed = 1;
    run.nState = Finish;
    FinishStep(dlg, run);
}
