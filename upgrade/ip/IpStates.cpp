// The outer states of the IP run after the log-in: the image sequence, the
// way back to 9600 and the boot, the abort, the end.
#include "upgrade/ip/IpPauses.h"
#include "upgrade/ip/IpRun.h"

using namespace ip;

// State 0: the run is over; every control comes back.
IpUpgradeState CIpRun::FinishRun() {
    m_dialog.SetStatus("Idle");
    m_bExit = true;
    m_window.SetProgressPos(0);
    m_window.EnableControl(ctl::kUpgrade, true);
    m_dialog.EnableModuleRadios(true);
    m_dialog.EnableImageChecks(true);
    return IpIdle;
}

IpUpgradeState CIpRun::FlashImage() {
    if (m_marks.Of(*m_pCursor) != 1)
        return IpFlashImage;
    return FlashImageStep(*m_pCursor);
}

IpUpgradeState CIpRun::RevertBaud() {
    SetMonitorBaud("9600");
    m_dialog.SetStatus("Reverting to standard baudrate");
    m_window.Sleep(kAfterRevertMs);
    return IpBoot;
}

// "bootd\r" goes out on every text until the operating system's login
// prompt shows in a text read before it.
IpUpgradeState CIpRun::Boot() {
    Send("bootd\r");
    m_dialog.SetStatus("Booting Controller......");
    m_window.Sleep(kAfterBootdMs);
    if (!IsLoginPrompt())
        return IpBoot;
    m_dialog.UpdateData(true);
    m_window.EnableControl(ctl::kUpgrade, true);
    m_dialog.UpdateData(false);
    return Complete();
}

IpUpgradeState CIpRun::Complete() {
    m_line.Disconnect();
    m_window.MessageBox("Upload Complete!", "", MsgIcon::None, MsgButtons::Ok);
    m_dialog.SetStatus("Idle");
    return IpIdle;
}

// Leave the module booting its old software at 9600 after a failure.
IpUpgradeState CIpRun::Abort() {
    Send("\r");
    m_window.Sleep(kAfterAbortCrMs);
    SetMonitorBaud("9600");
    m_window.Sleep(kAbortPauseMs);
    Send("bootd\r");
    m_window.Sleep(kAbortPauseMs);
    m_line.Disconnect();
    m_dialog.SetStatus("Idle");
    return IpIdle;
}

IpUpgradeState CIpRun::NextImage() {
    Send("\r");
    m_pCursor = NextSelectedImage(m_pCursor);
    return m_pCursor ? IpFlashImage : IpRevertBaud;
}
