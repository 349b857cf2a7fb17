// One image's sequence: load it, upload it into RAM, erase its flash range and
// copy it there. The checks of RAM and flash are in FlashChecks.cpp.
#include "upgrade/ip/IpPauses.h"
#include "upgrade/ip/IpRun.h"

using namespace ip;

namespace {
using Step = FlashSequenceStep;
} // namespace

IpUpgradeState CIpRun::FlashImageStep(const UpgradeImage& row) {
    switch (m_memory.FlashStep) {
    case Step::LoadImage:
        return LoadRowImage(row);
    case Step::AwaitPrompt:
        StartRamUpload();
        break;
    case Step::AwaitDownload:
        // The first line goes out on the pass that saw the monitor ready.
        if (m_rxSearch.Contains("download")) {
            m_memory.FlashStep = Step::SendLines;
            SendLine();
        }
        break;
    case Step::SendLines:
        SendLine();
        break;
    case Step::CheckRam:
        CheckRam();
        break;
    case Step::AwaitRamVerdict:
        return AwaitRamVerdict();
    case Step::EraseFlash:
        EraseFlash(row);
        break;
    case Step::AwaitErased:
        AwaitDone(Step::CopyToFlash, "Flash Erased");
        break;
    case Step::CopyToFlash:
        CopyToFlash(row);
        break;
    case Step::AwaitCopied:
        AwaitDone(Step::CheckFlash, "Image copied to flash");
        break;
    case Step::CheckFlash:
        CheckFlash(row);
        break;
    case Step::AwaitFlashVerdict:
        return AwaitFlashVerdict();
    default:
        // Not a step of the sequence: begin the image again.
        m_memory.FlashStep = Step::LoadImage;
        break;
    }
    return IpFlashImage;
}

IpUpgradeState CIpRun::LoadRowImage(const UpgradeImage& row) {
    m_dialog.SetStatus("Loading upgrade data");
    m_window.Sleep(kBeforeLoadMs);
    if (!m_image.LoadImage(row.resourceName)) {
        m_dialog.SetStatus("Unable to load upgrade data");
        return IpAbort;
    }
    m_memory.FlashStep = Step::AwaitPrompt;
    Send("echo\r");
    m_window.SetProgressRange(0, m_image.m_nImageSize);
    m_window.SetProgressStep(1);
    m_dialog.SetStatus("Sending data");
    m_window.Sleep(kAfterLoadMs);
    return IpFlashImage;
}

void CIpRun::StartRamUpload() {
    if (!m_rxSearch.Contains("=>")) {
        Send("\r");
        return;
    }
    Send("loads 10000\r");
    m_memory.FlashStep = Step::AwaitDownload;
    m_dialog.SetStatus("Starting file upload");
    m_window.Sleep(kAfterLoadsMs);
}

void CIpRun::SendLine() {
    if (SendIpLine() == 1)
        m_memory.FlashStep = Step::CheckRam;
}

void CIpRun::EraseFlash(const UpgradeImage& row) {
    m_dialog.SetStatus("Erasing Flash");
    Send(std::string("erase ") + row.flashStart + " " + row.flashEnd + "\r");
    m_bFlashTouched = true;
    m_memory.FlashStep = Step::AwaitErased;
}

// Erase and copy both end with "done"; until then wait a second per text.
void CIpRun::AwaitDone(FlashSequenceStep next, const char* pszStatus) {
    if (!m_rxSearch.Contains("done")) {
        m_window.Sleep(kWhileBusyMs);
        return;
    }
    m_memory.FlashStep = next;
    m_dialog.SetStatus(pszStatus);
    Send("echo\r");
    m_window.Sleep(kAfterDoneMs);
}

void CIpRun::CopyToFlash(const UpgradeImage& row) {
    m_dialog.SetStatus("Writing image to Flash");
    m_window.Sleep(kBeforeCopyMs);
    Send(std::string("cp.b 10000 ") + row.flashStart + " $(filesize) \r");
    m_memory.FlashStep = Step::AwaitCopied;
}
