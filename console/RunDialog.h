#pragma once

#include <string>
#include <string_view>

// The dialog as a run sees it: its data exchange, the status line, the
// controls a run switches, and the pump that reports the operator's quit.
// The dialog implements it; a test may hand in its own.
class CRunDialog {
public:
    // true: controls to members (read-back); false: members to controls.
    virtual void UpdateData(bool bSaveAndValidate) = 0;
    // The one way to change the status line; shown at once.
    virtual void SetStatus(const std::string& strText) = 0;
    virtual void EnableModuleRadios(bool bEnable) = 0;
    virtual void EnableImageChecks(bool bEnable) = 0;
    // Dispatches the operator's waiting events; false once the operator asked to quit.
    virtual bool PumpMessages() = 0;
    // The run entered a state of its procedure, by name; for records only.
    virtual void StateEntered(std::string_view /*strName*/) {}
    // Something the run did beyond the dialogue's plain course (another CR
    // after a speed change), for the records and a console's progress.
    virtual void Notice(const std::string& /*strText*/) {}
    // When the operator stops a run mid-way, whether the run should first
    // leave the module running its old software where it still can (an IP
    // module in its boot monitor with the flash untouched).
    virtual bool LeaveModuleRunningOnStop() const { return false; }

protected:
    ~CRunDialog() = default;
};
