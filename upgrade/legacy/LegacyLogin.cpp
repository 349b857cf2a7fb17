// State 0 of the legacy run: log in at the module's console, recognise the
// module from its own text, and command it into its boot loader.
#include "console/ModuleMessages.h"
#include "upgrade/legacy/LegacyPauses.h"
#include "upgrade/legacy/LegacyRun.h"

using namespace legacy;

namespace {
const char* const kLegacyUser = "field";
} // namespace

LegacyUpgradeState CLegacyRun::LegacyLoginStep() {
    // The first literal found decides; the order matters to the shared matcher.
    if (Seen("SAT"))
        return OnControllerConsole();
    if (Seen("BSR"))
        return OnTransceiverConsole();
    if (Seen("selection"))
        return OnBootloaderMenu();
    if (Seen("Incorrect")) {
        OnLoginRejected();
    } else if (Seen("Dest")) {
        m_line.WriteCommByte(kCr);
        m_dialog.SetStatus("Attempting Login....");
        m_window.Sleep(kAfterAnswerMs);
    } else if (Seen("Login")) {
        Answer(m_memory.m_strLoginUser, false, "Attempting Login.....");
    } else if (Seen("Passwd")) {
        Answer(m_memory.m_strLoginPassword, true, "Attempting Login......");
    } else if (Seen("login") || Seen("=>") || Seen("$") || Seen("#")) {
        return OnIpControllerPrompt();
    } else {
        return OnNothingRecognised();
    }
    return ConsoleLogin;
}

// The operator was told why; the port is released and the run ends.
LegacyUpgradeState CLegacyRun::EndRun() {
    m_line.Disconnect();
    m_dialog.SetStatus("Idle");
    return RunOver;
}

// A: the Controller's console.
LegacyUpgradeState CLegacyRun::OnControllerConsole() {
    if (m_nModuleKind == Controller) {
        m_line.WriteCommString("s 0 b\r");
        m_dialog.SetStatus("Entering Bootloader...");
        return AwaitBootloader;
    }
    ShowError(ModuleMessages[CableOnController]);
    return EndRun();
}

// B: the Transceiver's console.
LegacyUpgradeState CLegacyRun::OnTransceiverConsole() {
    if (m_nModuleKind == Controller) {
        ShowError(ModuleMessages[CableOnTransceiver]);
        return EndRun();
    }
    m_line.WriteCommString("reset\r");
    m_window.Sleep(kAfterResetMs);
    // The boot loader takes a b typed during the reset as the way in.
    for (int i = 0; i < kBLetters; ++i) {
        m_line.WriteCommByte('b');
        m_window.Sleep(kBetweenBLettersMs);
    }
    m_dialog.SetStatus("Login Successful!");
    m_dialog.SetStatus("Entering Bootloader...");
    m_memory.m_nRetryCount = 0;
    return AwaitBootloader;
}

// C: the boot loader menu showed up where the console was expected.
LegacyUpgradeState CLegacyRun::OnBootloaderMenu() {
    SendLetter('r');
    m_dialog.SetStatus("Attempting Reboot...");
    LegacyUpgradeState next = ConsoleLogin;
    if (m_bRebootAttempted) {
        // Back after a reboot: no application code to tell which module this is.
        const char* pszText = m_nModuleKind == Controller ? ModuleMessages[NoAppCodeController]
                                                          : ModuleMessages[NoAppCodeTransceiver];
        const int nAnswer = m_window.MessageBox(pszText, "WARNING: No Application Code Present",
                                                MsgIcon::Exclamation, MsgButtons::OkCancel);
        if (nAnswer != IDOK) {
            const LegacyUpgradeState over = EndRun();
            ShowError("Upgrade aborted");
            return over;
        }
        next = AwaitBootloader;
    }
    m_bRebootAttempted = true;
    m_window.Sleep(kAfterRebootTryMs);
    return next;
}

// D: the console refused the log-in; ask the operator for the password.
void CLegacyRun::OnLoginRejected() {
    std::string strEntered;
    if (m_window.PasswordPrompt(kDefaultPassword, strEntered) == IDOK) {
        m_memory.m_strLoginUser = kLegacyUser;
        m_memory.m_strLoginPassword = strEntered;
    }
    m_line.WriteCommByte(kCr);
}

// F and G: the user name or the password, each with its CR.
void CLegacyRun::Answer(const std::string& strText, bool bMask, const char* pszStatus) {
    m_line.WriteCommString(strText.c_str(), bMask);
    m_line.WriteCommByte(kCr);
    m_dialog.SetStatus(pszStatus);
    m_window.Sleep(kAfterAnswerMs);
}

// H: the prompt of an IP-Enabled Controller.
LegacyUpgradeState CLegacyRun::OnIpControllerPrompt() {
    m_line.Disconnect();
    ShowError(m_nModuleKind == Controller ? ModuleMessages[CableOnIpControllerSelected]
                                          : ModuleMessages[CableOnIpTransceiverSelected]);
    m_dialog.SetStatus("Idle");
    return RunOver;
}

// I: nothing recognised: wake the console again, up to a limit.
LegacyUpgradeState CLegacyRun::OnNothingRecognised() {
    LegacyUpgradeState next = ConsoleLogin;
    m_line.WriteCommByte(kCr);
    m_dialog.SetStatus("Attempting Login...");
    if (++m_memory.m_nRetryCount > kUnansweredLimit) {
        m_dialog.SetStatus("Login failed!");
        ShowError("Unable to Connect to Card");
        m_memory.m_bUploadFailed = 1;
        next = Finish;
    }
    m_window.Sleep(kUnansweredMs);
    return next;
}
