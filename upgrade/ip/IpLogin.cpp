// State 1 of the IP run: from wherever the module is (log-in prompt, password,
// shell, boot monitor) to its boot monitor's prompt.
#include "console/ModuleMessages.h"
#include "upgrade/ip/IpPauses.h"
#include "upgrade/ip/IpRun.h"

using namespace ip;

IpUpgradeState CIpRun::IpLoginStep() {
    const CRxSearch& rx = m_rxSearch;
    if (rx.Contains("=>")) {
        Send("\r");
        return IpRaiseBaud;
    }
    if (rx.Contains("login")) {
        Send("root\r");
        m_window.Sleep(kAfterLoginNameMs);
        return IpLogin;
    }
    if (rx.Contains("Password"))
        return ExchangePassword() ? IpLogin : IpIdle;
    if (rx.Contains("$") || rx.Contains("#")) {
        RebootIntoMonitor();
        return IpLogin;
    }
    if (rx.Contains("SAT"))
        return WrongCable(ModuleMessages[CableNotOnIpController]);
    // "Login incorrect" follows a mistyped password: the next prompt decides.
    if (rx.Contains("BSR") || rx.Contains("Dest") || rx.ContainsForeignLogin() ||
        rx.Contains("Passwd"))
        return WrongCable(ModuleMessages[CableOnTransceiverNotIp]);
    m_window.Sleep(kNothingKnownMs);
    return IpLogin;
}

bool CIpRun::IsLoginPrompt() const {
    return m_rxSearch.Contains("login");
}

// The operator types the root password; a new prompt each time, showing the
// default. False when the operator cancels.
bool CIpRun::ExchangePassword() {
    std::string strEntered;
    const int nResult = m_window.PasswordPrompt(kDefaultPassword, strEntered);
    if (nResult == IDCANCEL)
        return false;
    if (nResult == IDOK)
        m_memory.SavedIpPassword = strEntered + "\r";
    m_line.WriteCommString(m_memory.SavedIpPassword.c_str(), true);
    return true;
}

void CIpRun::RebootIntoMonitor() {
    Send("reboot\r");
    m_dialog.SetStatus("Entering bootloader");
    m_window.Sleep(kRebootToCountdownMs);
    for (int i = 0; i < kCountdownCrs; ++i) {
        m_window.Sleep(kBetweenCrsMs);
        Send("\r");
    }
    m_window.Sleep(kBetweenCrsMs);
}

IpUpgradeState CIpRun::WrongCable(const char* pszText) {
    m_line.Disconnect();
    m_window.MessageBox(pszText, "", MsgIcon::Stop, MsgButtons::Ok);
    return IpIdle;
}
