// A stop asked for mid-run (the operator quit, or a signal to the console
// front end), and how the module is left running its old software.
#include <string>

#include "upgrade/ip/IpPauses.h"
#include "upgrade/ip/IpRun.h"

using namespace ip;

bool CIpRun::Stop() {
    m_bExit = true; // the rest of the pass still runs
    m_window.PostQuit();
    const bool bInMonitor = m_state == IpRaiseBaud || m_state == IpFlashImage;
    if (!m_dialog.LeaveModuleRunningOnStop() || !bInMonitor || m_bFlashTouched)
        return false;
    if (InDownload())
        EndDownload();
    m_state = Abort();
    ReportState();
    return true;
}

// Between "loads" and the image's last record the monitor takes every line
// as a record.
bool CIpRun::InDownload() const {
    const FlashSequenceStep step = m_memory.FlashStep;
    return m_state == IpFlashImage &&
           (step == FlashSequenceStep::AwaitDownload || step == FlashSequenceStep::LoadImage ||
            step == FlashSequenceStep::SendLines);
}

// The monitor takes every line of a download, an empty one or a command
// too, as a record or as nothing; Ctrl-C ends it. It may still be taking in
// lines the line held when the stop came, and lets pass what follows the
// end: the abort sequence follows once it has said the download is over, or
// has said nothing for kEndDownloadQuietWaits waits, within kEndDownloadPasses.
void CIpRun::EndDownload() {
    m_line.WriteCommByte(kCtrlC);
    std::string strSeen;
    int nQuiet = 0;
    for (int nPass = 0; nPass < kEndDownloadPasses && nQuiet < kEndDownloadQuietWaits; ++nPass) {
        if (m_receiver.Poll() == 0) {
            nQuiet += m_window.WaitForInput(m_line.PollHandle(), kEndDownloadPollMs) ? 0 : 1;
            continue;
        }
        nQuiet = 0;
        m_receiver.CollectBurst();
        strSeen.append(reinterpret_cast<const char*>(m_rx.Data()),
                       static_cast<size_t>(m_rx.m_nRxCount));
        if (strSeen.find("aborted") != std::string::npos)
            return;
        if (strSeen.size() > 64)
            strSeen.erase(0, strSeen.size() - 64);
    }
}
