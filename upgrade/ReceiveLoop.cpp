#include <cstring>

#include "app/UpgraderDlg.h"
#include "platform/DebugOutput.h"

namespace {
constexpr int kSilentWaitMs = 100;
constexpr int32_t kSilentWaitLimit = 300;
} // namespace

void CUpgraderDlg::RunReceiveLoop(LoopVariant variant, RunState& run,
                                  const std::function<bool(int32_t)>& runsWithoutInput,
                                  const std::function<void(RunState&)>& step) {
    const bool bIp = variant == LoopVariant::Ip;
    while (!run.bStop) {
        if (bIp && !PumpMessages()) {
            run.bStop = 1;
            m_window.PostQuit();
        }
        m_nRxCount = m_comm.ReadCommData(m_pRxBuffer, kRxCapacity);
        if (m_nRxCount == 0 && !runsWithoutInput(run.nState)) {
            // A wait cut short by arriving bytes is no silence: poll again.
            if (m_window.WaitForInput(m_comm.PollHandle(), kSilentWaitMs))
                continue;
            if (++run.nEmptyPolls > kSilentWaitLimit) {
                SetStatus("Connection not Established");
                m_window.MessageBox("Unable to Connect to Card", "", MsgIcon::Stop, MsgButtons::Ok);
                if (bIp) {
                    UpdateData(true);
                    m_window.EnableControl(ctl::kUpgrade, true);
                    UpdateData(false);
                }
                m_comm.Disconnect();
                run.bStop = 1;
            }
            continue;
        }
        if (bIp) {
            m_pRxBuffer[m_nRxCount] = 0;
            m_strLastRx.assign(reinterpret_cast<const char*>(m_pRxBuffer));
            const std::string strTrace = "Recv: " + m_strLastRx + "\n";
            m_window.DebugOutput(strTrace);
        } else if (!PumpMessages()) {
            run.bStop = 1;
            m_window.PostQuit();
        }
        step(run);
        m_window.UpdateWindow();
    }
}
