// States 1 to 8 of the legacy run: the boot loader's log-in, the baud change
// and the way into the merge-file upload.
#include "upgrade/legacy/LegacyPauses.h"
#include "upgrade/legacy/LegacyRun.h"

using namespace legacy;

LegacyUpgradeState CLegacyRun::AwaitBootloaderStep() {
    if (Seen("Bootloader"))
        return BootLoginStep(BootLogin);
    m_window.Sleep(kBannerMissMs);
    // Exactly the third miss goes back to the console; a counter that came in
    // above that keeps waiting here.
    if (++m_memory.m_nRetryCount == kBannerAttempts) {
        m_dialog.SetStatus("Bootloader Entry failed... Retrying");
        m_line.WriteCommByte(kCr);
        return ConsoleLogin;
    }
    // The banner may have scrolled past in an earlier chunk: answer the log-in.
    return BootLoginStep(AwaitBootloader);
}

// "Login >" answered moves on; without it the run stays where it was.
LegacyUpgradeState CLegacyRun::BootLoginStep(LegacyUpgradeState stay) {
    if (!Seen("Login >"))
        return stay;
    m_line.WriteCommString("root\r");
    m_dialog.SetStatus("Bootloader Login...");
    m_window.Sleep(kAfterAnswerMs);
    return BootPassword;
}

LegacyUpgradeState CLegacyRun::BootPasswordStep() {
    if (!Seen("Passwd >"))
        return BootPassword;
    m_line.WriteCommString("vexa\r", true);
    m_dialog.SetStatus("Bootloader Login......");
    m_window.Sleep(kAfterBootPasswordMs);
    return BootMenu;
}

LegacyUpgradeState CLegacyRun::BootMenuStep() {
    LegacyUpgradeState next = BootMenu;
    if (Seen("selection")) {
        Choose('b', "Bootloader Login Successful!", "Changing Baud Rate");
        next = BaudSelect;
    }
    // Tested whatever the menu test found.
    if (Seen("Incorrect")) {
        next = BootLogin;
        m_dialog.SetStatus("Bootloader Login Failed, Retrying");
        m_window.Sleep(kAfterAnswerMs);
    }
    return next;
}

LegacyUpgradeState CLegacyRun::BaudSelectStep() {
    if (!Seen("selection"))
        return BaudSelect;
    SetBootloaderBaud(m_window.GetControlText(ctl::kBaudList));
    return BaudConfirm;
}

// The menu letter, then two statuses a moment apart.
void CLegacyRun::Choose(char cLetter, const char* pszStatus, const char* pszThen) {
    SendLetter(cLetter);
    m_dialog.SetStatus(pszStatus);
    m_window.Sleep(kBetweenStatusesMs);
    m_dialog.SetStatus(pszThen);
}

LegacyUpgradeState CLegacyRun::BaudConfirmStep() {
    if (!Seen("selection"))
        return BaudConfirm;
    Choose('9', "Baud Change Successful!", "Entering Merge File Upload");
    return MergeMenu;
}

LegacyUpgradeState CLegacyRun::MergeMenuStep() {
    if (!Seen("MERGE"))
        return MergeMenu;
    Choose('u', "Commencing Merge File upload...", "Opening File...");
    return AwaitSrecInput;
}

LegacyUpgradeState CLegacyRun::AwaitSrecInputStep() {
    if (!Seen("S Record input.."))
        return AwaitSrecInput;
    const char* pszImage = m_nModuleKind == Transceiver ? "SREC_TRAN" : "SREC_ADI_CTRL";
    if (m_image.LoadImage(pszImage))
        return SendImage;
    // Streaming from a stale cursor would send garbage: report and end the
    // run now, while the module still holds its old software.
    m_dialog.SetStatus("Unable to load upgrade data");
    m_memory.m_bUploadFailed = 1;
    return FinishStep();
}
