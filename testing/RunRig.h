#pragma once

#include <string>
#include <vector>

#include "console/RunContext.h"
#include "testing/FarEnd.h"
#include "testing/ScriptedWindow.h"

// One run's surroundings without the dialog, for tests of a run's own steps:
// a line open to a fresh serial line whose far end the test plays, the scripted
// window on its virtual clock, and the dialog's side of a run played here
// (the status goes to the window's status control).
struct CRunRig : CRunDialog {
    CRunRig() {
        line.m_strPort = farEnd.PortName();
        line.CreatePortEvents();
        line.Connect();
    }
    CRunContext Context() { return {line, window, *this, image, rx}; }
    // What the run wrote to the far end so far.
    std::string Sent() { return farEnd.Receive(20); }

    void UpdateData(bool) override {}
    void SetStatus(const std::string& strText) override {
        strStatus = strText;
        window.SetControlText(ctl::kStatus, strText);
    }
    void EnableModuleRadios(bool bEnable) override {
        for (int nId : {ctl::kTransceiver, ctl::kController, ctl::kIpController})
            window.EnableControl(nId, bEnable);
    }
    void EnableImageChecks(bool bEnable) override {
        for (int nId : {ctl::kBootloader, ctl::kKernel, ctl::kFilesystem})
            window.EnableControl(nId, bEnable);
    }
    bool PumpMessages() override { return window.PumpMessages(); }
    void Notice(const std::string& strText) override { notices.push_back(strText); }

    CFarEnd farEnd;
    CScriptedWindow window{true};
    CSComDoc line;
    CImageCursor image;
    CReceivedChunk rx;
    std::string strStatus;
    std::vector<std::string> notices;
};
