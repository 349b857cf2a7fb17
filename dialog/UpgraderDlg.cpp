#include "dialog/UpgraderDlg.h"

#include "dialog/StringTable.h"

CUpgraderDlg::CUpgraderDlg(CWindowLayer& window)
    : m_observed(window, m_events), m_window(m_observed) {
    m_events.Add(m_outcome);
    m_comm.SetObserver(&m_events);
    m_strTransceiverDesc = str::kTransceiverDesc;
    m_strControllerDesc = str::kControllerDesc;
    m_strIpControllerDesc = str::kIpControllerDesc;
    m_strStatus = "Idle";
    m_strDescription = m_strTransceiverDesc;
    m_strDetails.clear();
    // Every string written to the line goes to the developers' diagnostics.
    m_comm.SetTrace([this](std::string_view text) { m_window.DebugOutput(text); });
}

CUpgraderDlg::~CUpgraderDlg() {
    // The line outlives nothing it reports to.
    m_comm.SetObserver(nullptr);
    m_comm.Disconnect();
}

void CUpgraderDlg::UpdateData(bool bSaveAndValidate) {
    if (bSaveAndValidate) {
        m_strStatus = m_window.GetControlText(ctl::kStatus);
        m_strDescription = m_window.GetControlText(ctl::kDescription);
        m_strDetails = m_window.GetControlText(ctl::kDetails);
    } else {
        m_window.SetControlText(ctl::kStatus, m_strStatus);
        m_window.SetControlText(ctl::kDescription, m_strDescription);
        m_window.SetControlText(ctl::kDetails, m_strDetails);
    }
}

void CUpgraderDlg::OnInitDialog() {
    for (const auto& port : kTemplatePorts)
        m_window.AddListEntry(ctl::kComList, port);
    UpdateData(false);
    m_window.SetListSelection(ctl::kComList, 0);
    m_window.SetChecked(ctl::kTransceiver, true);
    m_window.SetChecked(ctl::kController, false);
    m_window.SetChecked(ctl::kIpController, false);
    m_nModuleKind = Transceiver;
    EnableImageChecks(false);
    FillBaudList(LegacyBaudRates);
    SelectLastBaud();
}

bool CUpgraderDlg::OnQuitRequest() {
    if (!m_bRunning)
        return true;
    // Already confirmed: the run is ending; asking again would only annoy.
    if (m_bQuitRequested)
        return false;
    int nAnswer = m_window.MessageBox(
        "An upgrade is in progress. Stopping it now may leave the module without working "
        "software.\nStop the upgrade and quit?",
        "", MsgIcon::Exclamation, MsgButtons::OkCancel);
    // Confirmed, the run stops as a stop from the console does: an IP module
    // still in its boot monitor with its flash untouched is booted first.
    if (nAnswer == IDOK)
        RequestStop(true);
    return false;
}
