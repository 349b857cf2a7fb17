#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "console/ModuleKind.h"
#include "console/ReceivedChunk.h"
#include "console/RunContext.h"
#include "console/RunDialog.h"
#include "dialog/LastingState.h"
#include "line/SComDoc.h"
#include "window/WindowLayer.h"

// The main dialog's logic, toolkit-free: the controls' texts and states, the
// module selection, the Upgrade button, and everything a run needs that
// outlives it. It reaches the screen and the operator only through
// CWindowLayer, the module only through CSComDoc; each upgrade is a run
// object it creates inside OnUpgrade.
class CUpgraderDlg : public CRunDialog {
public:
    explicit CUpgraderDlg(CWindowLayer& window);
    CUpgraderDlg(const CUpgraderDlg&) = delete;
    CUpgraderDlg& operator=(const CUpgraderDlg&) = delete;

    // --- start-up, data exchange, quitting ---
    void OnInitDialog();
    void UpdateData(bool bSaveAndValidate) override;
    bool IsRunning() const { return m_bRunning; }
    // Quit or Close pressed: true when the window may end now. During a run the
    // operator is asked first; when confirmed the run stops after its pass.
    bool OnQuitRequest();

    // --- module selection and package description ---
    void OnTransceiver();
    void OnController();
    void OnIpController();
    void OnImageCheck();
    void UpdatePackageDescription();
    void EnableImageChecks(bool bEnable) override;
    void EnableModuleRadios(bool bEnable) override;
    void FillBaudList(const std::vector<std::string>& rates);
    void SelectLastBaud();

    // --- the Upgrade button and what the runs use of the dialog ---
    void OnUpgrade();
    void SetStatus(const std::string& strText) override;
    bool PumpMessages() override;
    void RunLegacyUpgrade();
    void RunIpUpgrade();
    CRunContext RunContext();

    // --- members ---
    CWindowLayer& m_window;
    CSComDoc m_comm;
    std::string m_strStatus;      // control 1036
    std::string m_strDescription; // control 1046
    std::string m_strDetails;     // control 1050
    std::string m_strTransceiverDesc;
    std::string m_strControllerDesc;
    std::string m_strIpControllerDesc;
    int32_t m_nModuleKind = Transceiver;
    bool m_bRunning = false;
    bool m_bQuitRequested = false;
    CLastingState m_lasting; // what outlives a run
    CReceivedChunk m_rx;     // the buffer of every poll
};
