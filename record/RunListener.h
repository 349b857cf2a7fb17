#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "line/LineObserver.h"

// How a run ended, as a script or a record names it.
enum class RunOutcome {
    Complete,      // "Upload Complete!"
    WrongCable,    // the cable is on another kind of module
    LoginFailed,   // the module refused the log-in
    NoConnection,  // silence, or the adapter went away
    UploadFailed,  // the module refused the upload or the flash check failed
    Aborted,       // the operator's answer ended the run (Cancel)
    PortNotOpened, // the port could not be opened or configured
    Stopped,       // the operator quit (or a signal) mid-run
};

// What a run starts with: the operator's choices.
struct RunStart {
    std::string strModule;           // "Transceiver", "Controller" or "IP-Enabled Controller"
    std::string strPort;             // as chosen in the port list
    std::string strRate;             // the upload rate chosen
    std::vector<std::string> images; // the images chosen (IP runs)
};

// What a run ended with.
struct RunEnd {
    RunOutcome outcome = RunOutcome::NoConnection;
    std::string strStatus;  // the last status before "Idle"
    std::string strMessage; // the last message box shown, empty if none
};

// Whoever follows runs: the run record, the desktop's sleep inhibitor, a
// console's progress line. Every method has an empty default; a listener
// takes what it needs. Called on the GUI thread, in the order things happen.
class CRunListener : public CLineObserver {
public:
    virtual ~CRunListener() = default;

    virtual void OnRunStart(const RunStart&) {}
    // A state of the run's procedure was entered ("BootMenu", "FlashImage/SendLines").
    virtual void OnState(std::string_view /*strName*/) {}
    virtual void OnStatus(const std::string& /*strText*/) {}
    virtual void OnProgress(int32_t /*nPos*/, int32_t /*nUpper*/) {}
    // A message box and the operator's answer (IDOK, IDCANCEL).
    virtual void OnBox(const std::string& /*strText*/, const std::string& /*strCaption*/,
                       int /*nAnswer*/) {}
    // The password prompt was answered; what was typed is never passed on.
    virtual void OnPasswordPrompt(int /*nAnswer*/) {}
    // Something the operator should know that is no part of the dialogue
    // (a slow adapter, no sleep inhibitor).
    virtual void OnNotice(const std::string& /*strText*/) {}
    virtual void OnRunEnd(const RunEnd&) {}

    void OnLineOpened(const LineOpening&) override {}
    void OnLineClosed() override {}
    void OnLineSent(std::string_view, bool) override {}
    void OnLineReceived(std::string_view) override {}
};

// "complete", "wrong-cable", ...: the outcome's name in records and summaries.
const char* OutcomeName(RunOutcome outcome);
