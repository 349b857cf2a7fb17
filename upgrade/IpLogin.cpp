#include "app/UpgraderDlg.h"
#include "upgrade/ModuleMessages.h"

// The operating system's root password as last confirmed, with its "\r".
std::string SavedIpPassword;

namespace {
// The operator types the root password; a new prompt each time, showing the
// default. Returns false when the operator cancels.
bool ExchangePassword(CUpgraderDlg& dlg) {
    std::string strEntered;
    const int nResult = dlg.m_window.PasswordPrompt(kDefaultPassword, strEntered);
    if (nResult == IDCANCEL)
        return false;
    if (nResult == IDOK)
        SavedIpPassword = strEntered + "\r";
    dlg.m_comm.WriteCommString(SavedIpPassword.c_str(), true);
    return true;
}

// From the shell: reboot, then carriage returns to stop the boot monitor's
// autoboot count-down.
void RebootIntoMonitor(CUpgraderDlg& dlg) {
    dlg.m_comm.WriteCommString("reboot\r");
    dlg.SetStatus("Entering bootloader");
    dlg.m_window.Sleep(4000);
    for (int i = 0; i < 10; ++i) {
        dlg.m_window.Sleep(100);
        dlg.m_comm.WriteCommString("\r");
    }
    dlg.m_window.Sleep(100);
}

int32_t WrongCable(CUpgraderDlg& dlg, const char* pszText) {
    dlg.m_comm.Disconnect();
    dlg.m_window.MessageBox(pszText, "", MsgIcon::Stop, MsgButtons::Ok);
    return IpIdle;
}
} // namespace

int32_t CUpgraderDlg::IpLoginStep() {
    const CRxSearch& rx = m_rxSearch;
    if (rx.Contains("=>")) {
        m_comm.WriteCommString("\r");
        return IpRaiseBaud;
    }
    if (rx.Contains("login")) {
        m_comm.WriteCommString("root\r");
        m_window.Sleep(100);
        return IpLogin;
    }
    if (rx.Contains("Password"))
        return ExchangePassword(*this) ? IpLogin : IpIdle;
    if (rx.Contains("$") || rx.Contains("#")) {
        RebootIntoMonitor(*this);
        return IpLogin;
    }
    if (rx.Contains("SAT"))
        return WrongCable(*this, ModuleMessages[CableNotOnIpController]);
    // "Login incorrect" follows a mistyped password: the next prompt decides.
    if (rx.Contains("BSR") || rx.Contains("Dest") || rx.ContainsForeignLogin() ||
        rx.Contains("Passwd"))
        return WrongCable(*this, ModuleMessages[CableOnTransceiverNotIp]);
    m_window.Sleep(100);
    return IpLogin;
}

bool CUpgraderDlg::IsLoginPrompt() {
    return m_rxSearch.Contains("login");
}
