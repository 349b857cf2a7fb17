// The Upgrade button: open the line, wake the module, run the procedure for
// the module kind, and give the window back.
#include "console/LineCommands.h"
#include "console/LineReasons.h"
#include "dialog/UpgraderDlg.h"
#include "upgrade/ip/IpRun.h"
#include "upgrade/legacy/LegacyRun.h"

void CUpgraderDlg::SetStatus(const std::string& strText) {
    UpdateData(true);
    m_strStatus = strText;
    UpdateData(false);
    m_events.StatusShown(strText);
}

bool CUpgraderDlg::PumpMessages() {
    return m_window.PumpMessages() && !m_bQuitRequested;
}

CRunContext CUpgraderDlg::RunContext() {
    return {m_comm, m_window, *this, m_lasting.m_image, m_rx};
}

void CUpgraderDlg::RequestStop(bool bLeaveModuleRunning) {
    if (!m_bRunning)
        return;
    m_bQuitRequested = true;
    m_bLeaveModuleRunning = bLeaveModuleRunning;
}

RunStart CUpgraderDlg::DescribeRun() {
    static const char* const kModuleNames[] = {"Transceiver", "Controller",
                                               "IP-Enabled Controller"};
    RunStart start;
    start.strModule = kModuleNames[m_nModuleKind];
    start.strPort = m_window.GetControlText(ctl::kComList);
    start.strRate = m_window.GetControlText(ctl::kBaudList);
    if (m_nModuleKind != IpController)
        return start;
    if (m_window.IsChecked(ctl::kBootloader))
        start.images.push_back("bootloader");
    if (m_window.IsChecked(ctl::kKernel))
        start.images.push_back("kernel");
    start.images.push_back("filesystem"); // every IP run writes it
    return start;
}

void CUpgraderDlg::RunLegacyUpgrade() {
    CLegacyRun run(RunContext(), m_lasting.m_legacy, m_lasting.m_matcher,
                   static_cast<ModuleKind>(m_nModuleKind));
    run.Run();
}

void CUpgraderDlg::RunIpUpgrade() {
    CIpRun run(RunContext(), m_lasting.m_ip, m_lasting.m_imageMarks);
    run.Run();
}

void CUpgraderDlg::OnUpgrade() {
    // Handlers run nested inside a run's message pump: never start a second
    // run on the open port.
    if (m_bRunning)
        return;
    m_bRunning = true;
    m_events.RunStarted(DescribeRun());

    SetStatus("Initialising");
    // The run must not change module kind or see a second Upgrade press.
    m_window.EnableControl(ctl::kUpgrade, false);
    EnableModuleRadios(false);
    EnableImageChecks(false);

    m_comm.m_strPort = m_window.GetControlText(ctl::kComList);
    m_comm.m_nBaud = 9600;
    m_comm.CreatePortEvents();
    ConnectLine(m_comm, m_window);
    if (m_comm.m_bConnected != 1) {
        std::string strText = "Unable to open serial port.";
        std::string strReason =
            OpenFailureReason(m_comm.LastOpenError(), CSComDoc::DevicePath(m_comm.m_strPort));
        if (!strReason.empty())
            strText += "\n" + strReason;
        m_window.MessageBox(strText, "", MsgIcon::None, MsgButtons::Ok);
    } else {
        m_comm.WriteCommByte(kCr);
        m_window.SetProgressPos(0);
        m_window.SetProgressStep(1);
        if (m_nModuleKind == IpController)
            RunIpUpgrade();
        else
            RunLegacyUpgrade();
        // Every way a run ends releases the port (a cancelled password prompt
        // and a quit request leave it open inside the procedures).
        m_comm.Disconnect();
    }

    m_window.EnableControl(ctl::kUpgrade, true);
    EnableModuleRadios(true);
    EnableImageChecks(m_nModuleKind == IpController);
    m_bRunning = false;
    m_lastEnd = m_outcome.Result(m_bQuitRequested);
    m_events.RunEnded(m_lastEnd);
    if (m_bQuitRequested)
        m_window.PostQuit();
}
