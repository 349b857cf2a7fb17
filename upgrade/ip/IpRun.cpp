// The IP run: a receive loop over the outer states of the IP-Enabled
// Controller upgrade.
#include "upgrade/ip/IpRun.h"

#include <cstdlib>
#include <string_view>

#include "console/RateChange.h"
#include "upgrade/ip/IpPauses.h"
#include "upgrade/ip/IpStateName.h"

using namespace ip;

namespace {
// The file system image, the one image every run writes.
constexpr int kFileSystemRow = 2;
} // namespace

CIpRun::CIpRun(const CRunContext& ctx, CIpMemory& memory, CImageMarks& marks)
    : m_line(ctx.line), m_window(ctx.window), m_dialog(ctx.dialog), m_image(ctx.image),
      m_rx(ctx.rx), m_memory(memory), m_marks(marks), m_receiver(ctx) {}

// One pass: pump the operator's events; poll; a silent pass waits (states 0
// and 18 run without input); otherwise the module's burst is collected (the
// upload takes what is there), the text is taken, the state steps and the
// window is repainted.
void CIpRun::Run() {
    Start();
    while (!m_bExit) {
        if (!m_dialog.PumpMessages() && Stop())
            return;
        const int32_t nRead = m_receiver.Poll();
        if (m_receiver.LineLost()) {
            m_receiver.EndWithoutConnection(true);
            return;
        }
        if (nRead == 0 && !RunsWithoutInput()) {
            if (m_receiver.WaitSilently()) {
                m_receiver.EndWithoutConnection(true);
                return;
            }
            continue;
        }
        if (nRead > 0 && !Streaming())
            m_receiver.CollectBurst();
        TakeText();
        m_state = Step(m_state);
        ReportState();
        m_window.UpdateWindow();
    }
}

void CIpRun::ReportState() {
    std::string strName = IpStateName(m_state, m_memory.FlashStep);
    if (strName == m_strStateName)
        return;
    m_strStateName = std::move(strName);
    m_dialog.StateEntered(m_strStateName);
}

void CIpRun::Start() {
    // A run cut off mid-image left the step where it stopped: every run's
    // image begins at its first step.
    m_memory.FlashStep = FlashSequenceStep::LoadImage;
    const UpgradeImage& fileSystem = ImageTable[kFileSystemRow];
    m_marks.Of(fileSystem) = 1;
    m_pCursor = &fileSystem;
    EnableRunControls(false);
    m_line.WriteCommByte(kCr);
    m_window.Sleep(kAfterWakeMs);
    ReportState();
}

// The chunk as text, cut at its first NUL and traced; the steps search it
// joined with the end of the text before.
void CIpRun::TakeText() {
    m_rx.m_rxBuffer[m_rx.m_nRxCount] = 0;
    m_rx.m_strLastRx.assign(reinterpret_cast<const char*>(m_rx.Data()));
    m_window.DebugOutput("Recv: ");
    m_window.DebugOutput(m_rx.m_strLastRx);
    m_window.DebugOutput("\n");
    const bool bCut = m_rx.m_nRxCount > static_cast<int32_t>(m_rx.m_strLastRx.size());
    m_rxSearch.NextPoll(m_rx.m_strLastRx, bCut);
}

bool CIpRun::RunsWithoutInput() const {
    return m_state == IpIdle || m_state == IpAbort;
}

// The upload sends a line on each pass that brings its echo.
bool CIpRun::Streaming() const {
    return m_state == IpFlashImage && m_memory.FlashStep == FlashSequenceStep::SendLines;
}

IpUpgradeState CIpRun::Step(IpUpgradeState state) {
    switch (state) {
    case IpIdle:
        return FinishRun();
    case IpLogin:
        return IpLoginStep();
    case IpRaiseBaud:
        SetMonitorBaud(m_window.GetControlText(ctl::kBaudList));
        return IpFlashImage;
    case IpFlashImage:
        return FlashImage();
    case IpRevertBaud:
        return RevertBaud();
    case IpBoot:
        return Boot();
    case IpAbort:
        return Abort();
    case IpNextImage:
        return NextImage();
    default:
        return IpIdle;
    }
}

void CIpRun::EnableRunControls(bool bEnable) {
    m_dialog.UpdateData(true);
    m_window.EnableControl(ctl::kUpgrade, bEnable);
    m_dialog.EnableImageChecks(bEnable);
    m_dialog.EnableModuleRadios(bEnable);
    m_dialog.UpdateData(false);
}

void CIpRun::Send(const std::string& strCommand) {
    m_line.WriteCommString(strCommand.c_str());
}

void CIpRun::SetMonitorBaud(const std::string& strRate) {
    const int32_t nRate = static_cast<int32_t>(std::strtol(strRate.c_str(), nullptr, 10));
    Send("setenv baudrate " + strRate + "\r");
    m_dialog.SetStatus("Baud Change to " + strRate);
    m_window.Sleep(kBeforeReopenMs);
    ReopenLineAt({m_line, m_window, m_dialog, m_image, m_rx}, m_receiver, nRate, "prompt",
                 [](const CReceivedChunk& rx) {
                     const std::string_view text(reinterpret_cast<const char*>(rx.Data()),
                                                 static_cast<size_t>(rx.m_nRxCount));
                     return text.find("=>") != std::string_view::npos;
                 });
}

const UpgradeImage* CIpRun::NextSelectedImage(const UpgradeImage* pRow) const {
    for (;;) {
        ++pRow;
        if (m_marks.selected[pRow - ImageTable] == 1)
            return pRow;
        if (pRow->index < 0)
            return nullptr;
    }
}
