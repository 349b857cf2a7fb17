#include "console/Receiver.h"

#include "console/LineReasons.h"

#include <algorithm>

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

CReceiver::CReceiver(const CRunContext& ctx)
    : m_line(ctx.line), m_window(ctx.window), m_dialog(ctx.dialog), m_rx(ctx.rx) {}

int32_t CReceiver::Poll() {
    if (m_bHeld) {
        m_bHeld = false;
        return m_rx.m_nRxCount;
    }
    m_rx.m_nRxCount = m_line.ReadCommData(m_rx.m_rxBuffer.data(), kRxCapacity);
    return m_rx.m_nRxCount;
}

bool CReceiver::AwaitBurst(int nMs) {
    m_rx.m_nRxCount = 0;
    if (!m_window.WaitForInput(m_line.PollHandle(), nMs) || Poll() <= 0)
        return false;
    CollectBurst();
    return true;
}

bool CReceiver::GatherUntil(int64_t nDeadlineMs,
                            const std::function<bool(const CReceivedChunk&)>& fnDone) {
    m_rx.m_nRxCount = 0;
    while (m_rx.m_nRxCount < kRxCapacity) {
        const int64_t nLeft = nDeadlineMs - m_window.NowMs();
        const int64_t nWait = std::max<int64_t>(nLeft, m_rx.m_nRxCount > 0 ? kBurstGapMs : 0);
        if (nWait <= 0 || !m_window.WaitForInput(m_line.PollHandle(), static_cast<int>(nWait)))
            return false;
        uint8_t* pFree = m_rx.m_rxBuffer.data() + m_rx.m_nRxCount;
        const int n = m_line.ReadCommData(pFree, kRxCapacity - m_rx.m_nRxCount);
        if (n <= 0)
            return false; // a line that went away
        m_rx.m_nRxCount += n;
        if (fnDone(m_rx))
            return true;
    }
    return false;
}

void CReceiver::CollectBurst() {
    const int64_t nStart = m_window.NowMs();
    while (m_rx.m_nRxCount < kRxCapacity && m_window.NowMs() - nStart < kBurstCapMs) {
        if (!m_window.WaitForInput(m_line.PollHandle(), kBurstGapMs))
            return;
        uint8_t* pFree = m_rx.m_rxBuffer.data() + m_rx.m_nRxCount;
        const int n = m_line.ReadCommData(pFree, kRxCapacity - m_rx.m_nRxCount);
        if (n <= 0)
            return; // a line that went away: the pass ends the run
        m_rx.m_nRxCount += n;
    }
}

bool CReceiver::WaitSilently() {
    if (m_window.WaitForInput(m_line.PollHandle(), kSilentWaitMs))
        return false;
    return ++m_nEmptyPolls > kSilentWaitLimit;
}

void CReceiver::EndWithoutConnection(bool bEnableUpgrade) {
    std::string strBox = "Unable to Connect to Card";
    if (m_line.LineLost())
        strBox.append("\n").append(
            LineLostReason(m_line.LineLostError(), CSComDoc::DevicePath(m_line.m_strPort)));
    m_dialog.SetStatus("Connection not Established");
    m_window.MessageBox(strBox, "", MsgIcon::Stop, MsgButtons::Ok);
    if (bEnableUpgrade) {
        m_dialog.UpdateData(true);
        m_window.EnableControl(ctl::kUpgrade, true);
        m_dialog.UpdateData(false);
    }
    m_line.Disconnect();
}
