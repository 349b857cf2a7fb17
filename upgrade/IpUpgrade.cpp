#include <cstdlib>

#include "app/UpgraderDlg.h"

namespace {
// The file system image, the one image every run writes.
constexpr int kFileSystemRow = 2;

struct IpRun {
    RunState loop;
    UpgradeImage* pCursor = nullptr;
};

void SendCommand(CUpgraderDlg& dlg, const char* pszCommand) {
    dlg.m_comm.WriteCommString(pszCommand);
}

void EnableRunControls(CUpgraderDlg& dlg, bool bEnable) {
    dlg.UpdateData(true);
    dlg.m_window.EnableControl(ctl::kUpgrade, bEnable);
    dlg.EnableImageChecks(bEnable);
    dlg.EnableModuleRadios(bEnable);
    dlg.UpdateData(false);
}

void FinishRun(CUpgraderDlg& dlg, IpRun& run) {
    dlg.SetStatus("Idle");
    run.loop.bStop = 1;
    dlg.m_window.SetProgressPos(0);
    dlg.m_window.EnableControl(ctl::kUpgrade, true);
    dlg.EnableModuleRadios(true);
    dlg.EnableImageChecks(true);
}

int32_t RaiseBaud(CUpgraderDlg& dlg) {
    dlg.SetMonitorBaud(dlg.m_window.GetControlText(ctl::kBaudList));
    return IpFlashImage;
}

int32_t FlashImage(CUpgraderDlg& dlg, IpRun& run) {
    if (run.pCursor->selected != 1)
        return IpFlashImage;
    return dlg.FlashImageStep(*run.pCursor);
}

int32_t RevertBaud(CUpgraderDlg& dlg) {
    dlg.SetMonitorBaud("9600");
    dlg.SetStatus("Reverting to standard baudrate");
    dlg.m_window.Sleep(200);
    return IpBoot;
}

int32_t Complete(CUpgraderDlg& dlg) {
    dlg.m_comm.Disconnect();
    dlg.m_window.MessageBox("Upload Complete!", "", MsgIcon::None, MsgButtons::Ok);
    dlg.SetStatus("Idle");
    return IpIdle;
}

// "bootd\r" goes out on every text until the operating system's login
// prompt shows in a text read before it.
int32_t Boot(CUpgraderDlg& dlg) {
    SendCommand(dlg, "bootd\r");
    dlg.SetStatus("Booting Controller......");
    dlg.m_window.Sleep(1000);
    if (!dlg.IsLoginPrompt())
        return IpBoot;
    dlg.UpdateData(true);
    dlg.m_window.EnableControl(ctl::kUpgrade, true);
    dlg.UpdateData(false);
    return Complete(dlg);
}

// Leave the module booting at 9600 after a failure.
int32_t Abort(CUpgraderDlg& dlg) {
    SendCommand(dlg, "\r");
    dlg.m_window.Sleep(100);
    dlg.SetMonitorBaud("9600");
    dlg.m_window.Sleep(1000);
    SendCommand(dlg, "bootd\r");
    dlg.m_window.Sleep(1000);
    dlg.m_comm.Disconnect();
    dlg.SetStatus("Idle");
    return IpIdle;
}

int32_t NextImage(CUpgraderDlg& dlg, IpRun& run) {
    SendCommand(dlg, "\r");
    run.pCursor = dlg.NextSelectedImage(run.pCursor);
    return run.pCursor ? IpFlashImage : IpRevertBaud;
}

void StepState(CUpgraderDlg& dlg, IpRun& run) {
    int32_t& nState = run.loop.nState;
    switch (nState) {
    case IpIdle:
        FinishRun(dlg, run);
        return;
    case IpLogin:
        nState = dlg.IpLoginStep();
        return;
    case IpRaiseBaud:
        nState = RaiseBaud(dlg);
        return;
    case IpFlashImage:
        nState = FlashImage(dlg, run);
        return;
    case IpRevertBaud:
        nState = RevertBaud(dlg);
        return;
    case IpBoot:
        nState = Boot(dlg);
        return;
    case IpAbort:
        nState = Abort(dlg);
        return;
    case IpNextImage:
        nState = NextImage(dlg, run);
        return;
    default:
        nState = IpIdle;
        return;
    }
}
} // namespace

void CUpgraderDlg::RunIpUpgrade() {
    IpRun run;
    run.loop.nState = IpLogin;
    // A run cut off mid-image leaves the step where it stopped: every run's
    // image begins at its first step, and no earlier poll's text counts.
    FlashStep = 5;
    m_rxSearch.Reset();
    ImageTable[kFileSystemRow].selected = 1;
    run.pCursor = &ImageTable[kFileSystemRow];
    EnableRunControls(*this, false);
    m_comm.WriteCommByte(13);
    m_window.Sleep(500);

    RunReceiveLoop(
        LoopVariant::Ip, run.loop, [](int32_t s) { return s == IpIdle || s == IpAbort; },
        [&](RunState&) {
            const bool bCut = m_nRxCount > static_cast<int32_t>(m_strLastRx.size());
            if (m_nRxCount > 0)
                m_rxSearch.NextPoll(m_strLastRx, bCut);
            else
                m_rxSearch.NextPoll(std::string(), false);
            StepState(*this, run);
        },
        // The upload sends a line on each pass that brings its echo.
        [](int32_t s) { return s == IpFlashImage && FlashStep == 6; });
}

void CUpgraderDlg::SetMonitorBaud(const std::string& strRate) {
    const int32_t nRate = static_cast<int32_t>(std::strtol(strRate.c_str(), nullptr, 10));
    m_comm.WriteCommString(("setenv baudrate " + strRate + "\r").c_str());
    SetStatus("Baud Change to " + strRate);
    m_window.Sleep(1000);
    ReopenLineAt(nRate);
}

UpgradeImage* CUpgraderDlg::NextSelectedImage(UpgradeImage* pRow) {
    for (;;) {
        ++pRow;
        if (pRow->selected == 1)
            return pRow;
        if (pRow->index < 0)
            return nullptr;
    }
}
