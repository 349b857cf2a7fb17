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
#include "record/ObservedWindow.h"
#include "record/OutcomeTracker.h"
#include "record/RunEvents.h"
#include "window/WindowLayer.h"

// The main dialog's logic, toolkit-free: the controls' texts and states, the
// module selection, the Upgrade button, and everything a run needs that
// outlives it. It reaches the screen and the operator only through
// CWindowLayer, the module only through CSComDoc; each upgrade is a run
// object it creates inside OnUpgrade.
class CUpgraderDlg : public CRunDialog {
public:
    explicit CUpgraderDlg(CWindowLayer& window);
    ~CUpgraderDlg();
    CUpgraderDlg(const CUpgraderDlg&) = delete;
    CUpgraderDlg& operator=(const CUpgraderDlg&) = delete;

    // --- start-up, data exchange, quitting ---
    void OnInitDialog();
    void UpdateData(bool bSaveAndValidate) override;
    bool IsRunning() const { return m_bRunning; }
    // Quit or Close pressed: true when the window may end now. During a run the
    // operator is asked first; when confirmed the run stops (RequestStop(true)).
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
    // The operator's choices as the listeners hear them at the start.
    RunStart DescribeRun();
    void StateEntered(std::string_view strName) override { m_events.StateEntered(strName); }
    bool LeaveModuleRunningOnStop() const override { return m_bLeaveModuleRunning; }

    // --- for front ends that follow runs or stop them ---
    // Listeners hear every run from its start to its end (not owned).
    void AddListener(CRunListener& listener) { m_events.Add(listener); }
    void RemoveListener(CRunListener& listener) { m_events.Remove(listener); }
    // Something the operator should know, told to the listeners.
    void Notice(const std::string& strText) override { m_events.Notice(strText); }
    // Stops the run in hand after its pass without asking; bLeaveModuleRunning:
    // an IP module still in its boot monitor with its flash untouched is
    // booted again first (a confirmed quit and a console's stop both ask it).
    void RequestStop(bool bLeaveModuleRunning);
    // Decides how the run in hand ends, whatever it shows afterwards.
    void DecideOutcome(RunOutcome outcome) { m_outcome.Decide(outcome); }
    // How the last run ended.
    const RunEnd& LastRunEnd() const { return m_lastEnd; }

    // --- members ---
    CRunEvents m_events;        // what every run tells its listeners
    CObservedWindow m_observed; // the front end's window, told to the listeners
    CWindowLayer& m_window;     // the window the dialog and its runs use (m_observed)
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
    bool m_bLeaveModuleRunning = false;
    COutcomeTracker m_outcome; // the first listener of every run
    RunEnd m_lastEnd;
    CLastingState m_lasting; // what outlives a run
    CReceivedChunk m_rx;     // the buffer of every poll
};
