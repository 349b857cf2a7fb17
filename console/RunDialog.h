#pragma once

#include <string>

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

protected:
    ~CRunDialog() = default;
};
