#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "firmware/EmbeddedImages.h"
#include "firmware/ImageTable.h"
#include "platform/WindowLayer.h"
#include "serial/SComDoc.h"
#include "upgrade/RxSearch.h"
#include "upgrade/UpgradeContext.h"

enum LegacyUpgradeState : int32_t {
    ConsoleLogin = 0,
    AwaitBootloader = 1,
    BootLogin = 2,
    BootPassword = 3,
    BootMenu = 4,
    BaudSelect = 5,
    BaudConfirm = 6,
    MergeMenu = 7,
    AwaitSrecInput = 8,
    SendImage = 9,
    AwaitFlashWrite = 10,
    RebootModule = 11,
    Finish = 12,
};

enum IpUpgradeState : int32_t {
    IpIdle = 0,
    IpLogin = 1,
    IpRaiseBaud = 2,
    IpFlashImage = 6,
    IpRevertBaud = 15,
    IpBoot = 16,
    IpComplete = 17,
    IpAbort = 18,
    IpNextImage = 19,
};

// Which flavour of the receive loop a procedure runs (see RunReceiveLoop).
enum class LoopVariant { Legacy, Ip };

// The per-run values of a procedure's receive loop.
struct RunState {
    uint8_t bStop = 0;
    int32_t nState = 0;
    int32_t nEmptyPolls = 0;
};

// The main dialog's logic and all run-time state. Toolkit-free: it reaches the
// screen and the operator only through CWindowLayer, the module only through
// CSComDoc. Operations are spread over the folders of their subsystem.
class CUpgraderDlg : public UpgradeContext {
public:
    explicit CUpgraderDlg(CWindowLayer& window);
    ~CUpgraderDlg();
    CUpgraderDlg(const CUpgraderDlg&) = delete;
    CUpgraderDlg& operator=(const CUpgraderDlg&) = delete;

    // --- start-up and data exchange (app/) ---
    void OnInitDialog();
    // true: controls to members (read-back); false: members to controls (write-out).
    void UpdateData(bool bSaveAndValidate);
    bool IsRunning() const { return m_bRunning; }
    // Quit or Close pressed: true when the window may end now. During a run the
    // operator is asked first; when confirmed the run stops after its pass.
    bool OnQuitRequest();

    // --- module selection and package description (app/) ---
    void OnTransceiver();
    void OnController();
    void OnIpController();
    void OnImageCheck();
    void UpdatePackageDescription();
    void EnableImageChecks(bool bEnable);
    void EnableModuleRadios(bool bEnable);
    void FillBaudList(const std::vector<std::string>& rates);
    void SelectLastBaud();

    // --- launch and console primitives (upgrade/) ---
    void OnUpgrade();
    void SetStatus(const std::string& strText);
    bool PumpMessages();
    // Closes the line, opens it again at nRate and wakes the module with a CR
    // at the new rate (the module was told to switch first).
    void ReopenLineAt(int32_t nRate);
    // Runs passes until the stop flag is set. runsWithoutInput(state) names the
    // states that step on a pass that read nothing; step(run) is one state step;
    // streams(state) names the states that take what has arrived at once
    // (every other state is handed whole bursts). A line that went away ends
    // the run at once, as silence does.
    void RunReceiveLoop(LoopVariant variant, RunState& run,
                        const std::function<bool(int32_t)>& runsWithoutInput,
                        const std::function<void(RunState&)>& step,
                        const std::function<bool(int32_t)>& streams = nullptr);
    // Adds to the chunk in the receive buffer until the line has been quiet a
    // moment: what the module printed in one go.
    void CollectBurst();
    void EndWithoutConnection(LoopVariant variant, RunState& run);

    // --- firmware (firmware/) ---
    bool LoadImage(const char* pszName);
    void ShowUploadProgress();

    // --- legacy run (upgrade/) ---
    void RunLegacyUpgrade();
    void LegacyLoginStep(uint8_t& bStop, int32_t& nState);
    void SetBootloaderBaud(const std::string& strText);
    int32_t SendMergeLine();

    // --- IP run (upgrade/) ---
    void RunIpUpgrade();
    int32_t IpLoginStep();
    bool IsLoginPrompt();
    int32_t FlashImageStep(UpgradeImage& row);
    void SetMonitorBaud(const std::string& strRate);
    int32_t SendIpLine();
    UpgradeImage* NextSelectedImage(UpgradeImage* pRow);

    // --- members ---
    CWindowLayer& m_window;
    CSComDoc m_comm;
    std::string m_strStatus;      // control 1036
    std::string m_strDescription; // control 1046
    std::string m_strDetails;     // control 1050
    std::string m_strTransceiverDesc;
    std::string m_strControllerDesc;
    std::string m_strIpControllerDesc;
    bool m_bRebootAttempted = false;
    bool m_bRunning = false;
    bool m_bQuitRequested = false;
    CRxSearch m_rxSearch; // the IP run's prompt search across polls
    // Where LoadImage finds an image by its name: the images linked into the
    // program (a test hands in short ones).
    std::function<const EmbeddedImage*(std::string_view)> m_findImage = FindEmbeddedImage;
};

// Shared by every prompt and caller for the life of the program.
extern std::string SavedIpPassword;
extern int32_t FlashStep;

// The default text of the password prompt.
extern const char* const kDefaultPassword;
