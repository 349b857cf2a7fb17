#include <cstring>

#include "app/UpgraderDlg.h"
#include "platform/DebugOutput.h"
#include "upgrade/LineReasons.h"

namespace {
constexpr int kSilentWaitMs = 100;
constexpr int32_t kSilentWaitLimit = 300;

// A chunk is what the module printed in one go. After its first bytes the rest
// is still on the way: a UART at 9600 brings about a byte a millisecond, and a
// USB adapter whose latency timer stays at 16 ms hands the text over in
// packets up to 16 ms apart. Measured at the port on the paced simulator
// (burst_gap_bench), the longest pause inside one text was 21 ms behind a
// 16 ms adapter and 30 ms in random fragments, and 29 ms behind the adapter
// with four busy threads per core; modules pause 300 ms and more between the
// texts the dialogue tells apart. 50 ms of quiet ends a chunk.
constexpr int kBurstGapMs = 50;
// A module that never stops printing is still answered: a chunk is cut after
// this long. The longest text measured at 9600 took 540 ms (523 bytes); a full
// buffer takes 2.1 s at 9600.
constexpr int64_t kBurstCapMs = 1000;
} // namespace

void CUpgraderDlg::CollectBurst() {
    const int64_t nStart = m_window.NowMs();
    while (m_nRxCount < kRxCapacity && m_window.NowMs() - nStart < kBurstCapMs) {
        if (!m_window.WaitForInput(m_comm.PollHandle(), kBurstGapMs))
            return;
        const int n = m_comm.ReadCommData(m_pRxBuffer + m_nRxCount, kRxCapacity - m_nRxCount);
        if (n <= 0)
            return; // a line that went away: the pass ends the run
        m_nRxCount += n;
    }
}

// The silence ending: after 300 silent waits, or at once when the line went away.
void CUpgraderDlg::EndWithoutConnection(LoopVariant variant, RunState& run) {
    std::string strBox = "Unable to Connect to Card";
    if (m_comm.LineLost())
        strBox.append("\n").append(
            LineLostReason(m_comm.LineLostError(), CSComDoc::DevicePath(m_comm.m_strPort)));
    SetStatus("Connection not Established");
    m_window.MessageBox(strBox, "", MsgIcon::Stop, MsgButtons::Ok);
    if (variant == LoopVariant::Ip) {
        UpdateData(true);
        m_window.EnableControl(ctl::kUpgrade, true);
        UpdateData(false);
    }
    m_comm.Disconnect();
    run.bStop = 1;
}

void CUpgraderDlg::RunReceiveLoop(LoopVariant variant, RunState& run,
                                  const std::function<bool(int32_t)>& runsWithoutInput,
                                  const std::function<void(RunState&)>& step,
                                  const std::function<bool(int32_t)>& streams) {
    const bool bIp = variant == LoopVariant::Ip;
    while (!run.bStop) {
        if (bIp && !PumpMessages()) {
            run.bStop = 1;
            m_window.PostQuit();
        }
        m_nRxCount = m_comm.ReadCommData(m_pRxBuffer, kRxCapacity);
        if (m_comm.LineLost()) {
            EndWithoutConnection(variant, run);
            continue;
        }
        if (m_nRxCount == 0 && !runsWithoutInput(run.nState)) {
            // A wait cut short by arriving bytes is no silence: poll again.
            if (m_window.WaitForInput(m_comm.PollHandle(), kSilentWaitMs))
                continue;
            if (++run.nEmptyPolls > kSilentWaitLimit)
                EndWithoutConnection(variant, run);
            continue;
        }
        if (m_nRxCount > 0 && !(streams && streams(run.nState)))
            CollectBurst();
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
