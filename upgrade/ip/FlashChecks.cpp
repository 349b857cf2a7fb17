// The image checks of the sequence: "imi" of the RAM copy and of the flash
// copy, and what a failed check does.
#include "upgrade/ip/IpPauses.h"
#include "upgrade/ip/IpRun.h"

using namespace ip;

namespace {
using Step = FlashSequenceStep;
} // namespace

void CIpRun::CheckRam() {
    m_dialog.SetStatus("Verifying data transfer");
    m_window.Sleep(kBeforeRamCheckMs);
    Send("imi 10000\r");
    m_memory.FlashStep = Step::AwaitRamVerdict;
}

IpUpgradeState CIpRun::AwaitRamVerdict() {
    if (m_rxSearch.Contains("OK")) {
        m_dialog.SetStatus("Data Transfer OK");
        m_memory.FlashStep = Step::EraseFlash;
        Send("echo\r");
        m_window.Sleep(kAfterCheckedMs);
    } else if (m_rxSearch.Contains("Bad Header")) {
        return CheckFailed("Data transfer failed: bad image header",
                           "Upload Failed: RAM -> Bad image header");
    } else if (m_rxSearch.Contains("Bad Data")) {
        return CheckFailed("Data transfer failed: bad image data",
                           "Upload Failed: RAM -> Bad image data");
    }
    return IpFlashImage;
}

void CIpRun::CheckFlash(const UpgradeImage& row) {
    m_dialog.SetStatus("Verifying Flash");
    Send(std::string("imi ") + row.flashStart + "\r");
    m_memory.FlashStep = Step::AwaitFlashVerdict;
    m_window.Sleep(kAfterFlashCheckMs);
}

IpUpgradeState CIpRun::AwaitFlashVerdict() {
    if (m_rxSearch.Contains("OK")) {
        m_dialog.SetStatus("Flash write OK");
        Send("echo\r");
        m_window.Sleep(kAfterCheckedMs);
        m_memory.FlashStep = Step::LoadImage;
        return IpNextImage;
    }
    if (m_rxSearch.Contains("Bad Header"))
        return CheckFailed("Flash write failed: bad image header",
                           "Upload Failed: Flash -> Bad image header");
    // The status names the data transfer, as it always has; the box names the flash.
    if (m_rxSearch.Contains("Bad Data"))
        return CheckFailed("Data transfer failed: bad image data",
                           "Upload Failed: Flash -> Bad image data");
    m_window.Sleep(kNoVerdictMs);
    return IpFlashImage;
}

// A check failed: tell the operator, leave the sequence, abort the run.
IpUpgradeState CIpRun::CheckFailed(const char* pszStatus, const char* pszBox) {
    m_dialog.SetStatus(pszStatus);
    m_window.MessageBox(pszBox, "", MsgIcon::Stop, MsgButtons::Ok);
    m_memory.FlashStep = Step::LoadImage;
    return IpAbort;
}
