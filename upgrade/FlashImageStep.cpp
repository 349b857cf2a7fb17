#include "app/UpgraderDlg.h"

// Where the image in hand stands in its sequence: 5, 3, 4, 6, 7, 8, 9, 10,
// 11, 12, 13, 14 and back to 5.
int32_t FlashStep = 5;

namespace {
void Send(CUpgraderDlg& dlg, const std::string& strCommand) {
    dlg.m_comm.WriteCommString(strCommand.c_str());
}

// A check failed: tell the operator, leave the sequence, abort the run.
int32_t CheckFailed(CUpgraderDlg& dlg, const char* pszStatus, const char* pszBox) {
    dlg.SetStatus(pszStatus);
    dlg.m_window.MessageBox(pszBox, "", MsgIcon::Stop, MsgButtons::Ok);
    FlashStep = 5;
    return IpAbort;
}

int32_t LoadRowImage(CUpgraderDlg& dlg, const UpgradeImage& row) {
    dlg.SetStatus("Loading upgrade data");
    dlg.m_window.Sleep(200);
    if (!dlg.LoadImage(row.resourceName)) {
        dlg.SetStatus("Unable to load upgrade data");
        return IpAbort;
    }
    FlashStep = 3;
    Send(dlg, "echo\r");
    dlg.m_window.SetProgressRange(0, dlg.m_nImageSize);
    dlg.m_window.SetProgressStep(1);
    dlg.SetStatus("Sending data");
    dlg.m_window.Sleep(1000);
    return IpFlashImage;
}

void StartRamUpload(CUpgraderDlg& dlg) {
    if (!dlg.m_rxSearch.Contains("=>")) {
        Send(dlg, "\r");
        return;
    }
    Send(dlg, "loads 10000\r");
    FlashStep = 4;
    dlg.SetStatus("Starting file upload");
    dlg.m_window.Sleep(2000);
}

void SendLine(CUpgraderDlg& dlg) {
    if (dlg.SendIpLine() == 1)
        FlashStep = 7;
}

void CheckRam(CUpgraderDlg& dlg) {
    dlg.SetStatus("Verifying data transfer");
    dlg.m_window.Sleep(100);
    Send(dlg, "imi 10000\r");
    FlashStep = 8;
}

int32_t AwaitRamVerdict(CUpgraderDlg& dlg) {
    const CRxSearch& rx = dlg.m_rxSearch;
    if (rx.Contains("OK")) {
        dlg.SetStatus("Data Transfer OK");
        FlashStep = 9;
        Send(dlg, "echo\r");
        dlg.m_window.Sleep(100);
    } else if (rx.Contains("Bad Header")) {
        return CheckFailed(dlg, "Data transfer failed: bad image header",
                           "Upload Failed: RAM -> Bad image header");
    } else if (rx.Contains("Bad Data")) {
        return CheckFailed(dlg, "Data transfer failed: bad image data",
                           "Upload Failed: RAM -> Bad image data");
    }
    return IpFlashImage;
}

void EraseFlash(CUpgraderDlg& dlg, const UpgradeImage& row) {
    dlg.SetStatus("Erasing Flash");
    Send(dlg, std::string("erase ") + row.flashStart + " " + row.flashEnd + "\r");
    FlashStep = 10;
}

// Erase and copy both end with "done"; until then wait a second per text.
void AwaitDone(CUpgraderDlg& dlg, int32_t nNextStep, const char* pszStatus) {
    if (!dlg.m_rxSearch.Contains("done")) {
        dlg.m_window.Sleep(1000);
        return;
    }
    FlashStep = nNextStep;
    dlg.SetStatus(pszStatus);
    Send(dlg, "echo\r");
    dlg.m_window.Sleep(200);
}

void CopyToFlash(CUpgraderDlg& dlg, const UpgradeImage& row) {
    dlg.SetStatus("Writing image to Flash");
    dlg.m_window.Sleep(500);
    Send(dlg, std::string("cp.b 10000 ") + row.flashStart + " $(filesize) \r");
    FlashStep = 12;
}

void CheckFlash(CUpgraderDlg& dlg, const UpgradeImage& row) {
    dlg.SetStatus("Verifying Flash");
    Send(dlg, std::string("imi ") + row.flashStart + "\r");
    FlashStep = 14;
    dlg.m_window.Sleep(1000);
}

int32_t AwaitFlashVerdict(CUpgraderDlg& dlg) {
    const CRxSearch& rx = dlg.m_rxSearch;
    if (rx.Contains("OK")) {
        dlg.SetStatus("Flash write OK");
        Send(dlg, "echo\r");
        dlg.m_window.Sleep(100);
        FlashStep = 5;
        return IpNextImage;
    }
    if (rx.Contains("Bad Header"))
        return CheckFailed(dlg, "Flash write failed: bad image header",
                           "Upload Failed: Flash -> Bad image header");
    if (rx.Contains("Bad Data"))
        return CheckFailed(dlg, "Data transfer failed: bad image data",
                           "Upload Failed: Flash -> Bad image data");
    dlg.m_window.Sleep(100);
    return IpFlashImage;
}
} // namespace

int32_t CUpgraderDlg::FlashImageStep(UpgradeImage& row) {
    switch (FlashStep) {
    case 5:
        return LoadRowImage(*this, row);
    case 3:
        StartRamUpload(*this);
        break;
    case 4:
        // The first line goes out on the pass that saw the monitor ready.
        if (m_rxSearch.Contains("download")) {
            FlashStep = 6;
            SendLine(*this);
        }
        break;
    case 6:
        SendLine(*this);
        break;
    case 7:
        CheckRam(*this);
        break;
    case 8:
        return AwaitRamVerdict(*this);
    case 9:
        EraseFlash(*this, row);
        break;
    case 10:
        AwaitDone(*this, 11, "Flash Erased");
        break;
    case 11:
        CopyToFlash(*this, row);
        break;
    case 12:
        AwaitDone(*this, 13, "Image copied to flash");
        break;
    case 13:
        CheckFlash(*this, row);
        break;
    case 14:
        return AwaitFlashVerdict(*this);
    default:
        // Not a step of the sequence: begin the image again.
        FlashStep = 5;
        break;
    }
    return IpFlashImage;
}
