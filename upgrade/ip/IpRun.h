#pragma once

#include <cstdint>
#include <string>

#include "console/Receiver.h"
#include "console/RunContext.h"
#include "console/RxSearch.h"
#include "firmware/ImageTable.h"
#include "upgrade/ip/IpMemory.h"

// One upgrade of an IP-Enabled Controller: reach its boot monitor, switch to
// the upload rate, load the file system image into RAM and check it, erase
// its flash range, copy and check again, switch back and boot. Created for
// each run; what outlives the run is the dialog's (memory, marks, send
// position, received chunk).
class CIpRun {
public:
    CIpRun(const CRunContext& ctx, CIpMemory& memory, CImageMarks& marks);

    // The whole run (RunIpUpgrade): the port is open at 9600 and woken;
    // returns when the run is over.
    void Run();

    // The received text of this pass, as the steps search it.
    void TakeText();
    // State 1: answers what the module printed on its way to the boot monitor.
    IpUpgradeState IpLoginStep();
    // "login" in this pass's text: the operating system is up.
    bool IsLoginPrompt() const;
    // One step of the image's sequence: IpFlashImage, IpAbort or IpNextImage.
    IpUpgradeState FlashImageStep(const UpgradeImage& row);
    void SetMonitorBaud(const std::string& strRate);
    // 0 when a line was sent, 1 when the image is complete.
    int32_t SendIpLine();
    const UpgradeImage* NextSelectedImage(const UpgradeImage* pRow) const;

    IpUpgradeState State() const { return m_state; }
    const CReceiver& Receiver() const { return m_receiver; }

private:
    void Start();
    IpUpgradeState Step(IpUpgradeState state);
    bool RunsWithoutInput() const;
    bool Streaming() const;
    // The operator stopped the run: where the module waits in its boot monitor
    // with its flash untouched, and the dialog wants it, boot it again first
    // and end the run at once (true). (IpStop.cpp)
    bool Stop();
    bool InDownload() const;
    void EndDownload();
    void ReportState();
    void EnableRunControls(bool bEnable);
    void Send(const std::string& strCommand);

    // The outer states (IpStates.cpp).
    IpUpgradeState FinishRun();
    IpUpgradeState FlashImage();
    IpUpgradeState RevertBaud();
    IpUpgradeState Boot();
    IpUpgradeState Complete();
    IpUpgradeState Abort();
    IpUpgradeState NextImage();

    // The log-in (IpLogin.cpp).
    bool ExchangePassword();
    void RebootIntoMonitor();
    IpUpgradeState WrongCable(const char* pszText);

    // The image's sequence (FlashImageStep.cpp, FlashChecks.cpp).
    IpUpgradeState LoadRowImage(const UpgradeImage& row);
    void StartRamUpload();
    void SendLine();
    void CheckRam();
    IpUpgradeState AwaitRamVerdict();
    void EraseFlash(const UpgradeImage& row);
    void AwaitDone(FlashSequenceStep next, const char* pszStatus);
    void CopyToFlash(const UpgradeImage& row);
    void CheckFlash(const UpgradeImage& row);
    IpUpgradeState AwaitFlashVerdict();
    IpUpgradeState CheckFailed(const char* pszStatus, const char* pszBox);

    CSComDoc& m_line;
    CWindowLayer& m_window;
    CRunDialog& m_dialog;
    CImageCursor& m_image;
    CReceivedChunk& m_rx;
    CIpMemory& m_memory;
    CImageMarks& m_marks;
    CReceiver m_receiver;
    CRxSearch m_rxSearch; // this pass's text, joined with the end of the last
    IpUpgradeState m_state = IpLogin;
    bool m_bExit = false;
    bool m_bFlashTouched = false;            // an erase went out in this run
    std::string m_strStateName;              // the state last reported
    const UpgradeImage* m_pCursor = nullptr; // the image row in hand
    std::string m_strProgress;               // the progress text, rebuilt in place per line
};
