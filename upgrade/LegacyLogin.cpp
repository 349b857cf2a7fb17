// The console half of the legacy run: log in, recognise the module from its
// own console text, and command it into its boot loader.
#include "app/UpgraderDlg.h"
#include "upgrade/LegacySteps.h"
#include "upgrade/ModuleMessages.h"

namespace {
constexpr uint8_t kCr = 13;
constexpr int32_t kUnansweredLimit = 30;
const char* const kLegacyUser = "field";

using legacy::Seen;

void ShowError(CUpgraderDlg& dlg, const char* pszText) {
    dlg.m_window.MessageBox(pszText, "", MsgIcon::Stop, MsgButtons::Ok);
}

// The operator was told why; the port is released and the run ends.
void EndRun(CUpgraderDlg& dlg, uint8_t& bStop) {
    dlg.m_comm.Disconnect();
    dlg.SetStatus("Idle");
    bStop = 1;
}

// A: the Controller's console.
void OnControllerConsole(CUpgraderDlg& dlg, uint8_t& bStop, int32_t& nState) {
    if (dlg.m_nModuleKind == Controller) {
        dlg.m_comm.WriteCommString("s 0 b\r");
        dlg.SetStatus("Entering Bootloader...");
        nState = AwaitBootloader;
        return;
    }
    ShowError(dlg, ModuleMessages[CableOnController]);
    EndRun(dlg, bStop);
}

// B: the Transceiver's console.
void OnTransceiverConsole(CUpgraderDlg& dlg, uint8_t& bStop, int32_t& nState) {
    if (dlg.m_nModuleKind == Controller) {
        ShowError(dlg, ModuleMessages[CableOnTransceiver]);
        EndRun(dlg, bStop);
        return;
    }
    dlg.m_comm.WriteCommString("reset\r");
    dlg.m_window.Sleep(5);
    // The boot loader takes a b typed during the reset as the way in.
    for (int i = 0; i < 50; ++i) {
        dlg.m_comm.WriteCommByte('b');
        dlg.m_window.Sleep(10);
    }
    nState = AwaitBootloader;
    dlg.SetStatus("Login Successful!");
    dlg.SetStatus("Entering Bootloader...");
    dlg.m_nRetryCount = 0;
}

// C: the boot loader menu showed up where the console was expected.
void OnBootloaderMenu(CUpgraderDlg& dlg, uint8_t& bStop, int32_t& nState) {
    legacy::SendLetter(dlg, 'r');
    dlg.SetStatus("Attempting Reboot...");
    if (dlg.m_bRebootAttempted) {
        // Back after a reboot: no application code to tell which module this is.
        const char* pszText = dlg.m_nModuleKind == Controller
                                  ? ModuleMessages[NoAppCodeController]
                                  : ModuleMessages[NoAppCodeTransceiver];
        const int nAnswer = dlg.m_window.MessageBox(pszText, "WARNING: No Application Code Present",
                                                    MsgIcon::Exclamation, MsgButtons::OkCancel);
        if (nAnswer != IDOK) {
            EndRun(dlg, bStop);
            ShowError(dlg, "Upgrade aborted");
            return;
        }
        nState = AwaitBootloader;
    }
    dlg.m_bRebootAttempted = true;
    dlg.m_window.Sleep(2000);
}

// D: the console refused the log-in; ask the operator for the password.
void OnLoginRejected(CUpgraderDlg& dlg) {
    std::string strEntered;
    if (dlg.m_window.PasswordPrompt(kDefaultPassword, strEntered) == IDOK) {
        dlg.m_strLoginUser = kLegacyUser;
        dlg.m_strLoginPassword = strEntered;
    }
    dlg.m_comm.WriteCommByte(kCr);
}

void Answer(CUpgraderDlg& dlg, const std::string& strText, bool bMask, const char* pszStatus) {
    dlg.m_comm.WriteCommString(strText.c_str(), bMask);
    dlg.m_comm.WriteCommByte(kCr);
    dlg.SetStatus(pszStatus);
    dlg.m_window.Sleep(100);
}

// H: the prompt of an IP-Enabled Controller.
void OnIpControllerPrompt(CUpgraderDlg& dlg, uint8_t& bStop) {
    dlg.m_comm.Disconnect();
    ShowError(dlg, dlg.m_nModuleKind == Controller ? ModuleMessages[CableOnIpControllerSelected]
                                                   : ModuleMessages[CableOnIpTransceiverSelected]);
    dlg.SetStatus("Idle");
    bStop = 1;
}

// I: nothing recognised: wake the console again, up to a limit.
void OnNothingRecognised(CUpgraderDlg& dlg, int32_t& nState) {
    dlg.m_comm.WriteCommByte(kCr);
    dlg.SetStatus("Attempting Login...");
    if (++dlg.m_nRetryCount > kUnansweredLimit) {
        dlg.SetStatus("Login failed!");
        ShowError(dlg, "Unable to Connect to Card");
        dlg.m_bUploadFailed = 1;
        nState = Finish;
    }
    dlg.m_window.Sleep(1000);
}
} // namespace

void CUpgraderDlg::LegacyLoginStep(uint8_t& bStop, int32_t& nState) {
    // The first literal found decides; the order matters to the shared matcher.
    if (Seen(*this, "SAT"))
        OnControllerConsole(*this, bStop, nState);
    else if (Seen(*this, "BSR"))
        OnTransceiverConsole(*this, bStop, nState);
    else if (Seen(*this, "selection"))
        OnBootloaderMenu(*this, bStop, nState);
    else if (Seen(*this, "Incorrect"))
        OnLoginRejected(*this);
    else if (Seen(*this, "Dest")) {
        m_comm.WriteCommByte(kCr);
        SetStatus("Attempting Login....");
        m_window.Sleep(100);
    } else if (Seen(*this, "Login"))
        Answer(*this, m_strLoginUser, false, "Attempting Login.....");
    else if (Seen(*this, "Passwd"))
        Answer(*this, m_strLoginPassword, true, "Attempting Login......");
    else if (Seen(*this, "login") || Seen(*this, "=>") || Seen(*this, "$") || Seen(*this, "#"))
        OnIpControllerPrompt(*this, bStop);
    else
        OnNothingRecognised(*this, nState);
}
