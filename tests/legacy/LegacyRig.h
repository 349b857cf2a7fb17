#pragma once

#include <string>

#include "app/UpgraderDlg.h"
#include "platform/ScriptedWindow.h"
#include "tests/legacy/PtyModule.h"
#include "upgrade/PromptMatcher.h"

// A main dialog on the scripted window's virtual clock, its COM-port list
// pointing at a pseudo-terminal that the test plays as the module.
struct CLegacyRig {
    explicit CLegacyRig(ModuleKind kind = Transceiver, const std::string& strBaud = "115200")
        : window(true), dlg(window) {
        PromptMatcher::SetCounterForTest(0);
        dlg.OnInitDialog();
        window.AddListEntry(ctl::kComList, module.Path());
        window.SetListSelection(ctl::kComList, window.GetListCount(ctl::kComList) - 1);
        if (kind == Controller)
            dlg.OnController();
        for (int i = 0; i < window.GetListCount(ctl::kBaudList); ++i)
            if (window.GetListEntry(ctl::kBaudList, i) == strBaud)
                window.SetListSelection(ctl::kBaudList, i);
        window.onAdvance = [this](int64_t nNowMs) { module.Service(nNowMs); };
        window.onPump = [this] { module.Service(window.NowMs()); };
    }

    // One press of Upgrade; returns when the run has ended.
    void Run() {
        dlg.OnUpgrade();
        module.Service(window.NowMs());
    }

    // The run has let go of the line and the window takes the next run.
    bool Released() {
        return dlg.m_comm.m_bConnected == 0 && !dlg.IsRunning() &&
               window.IsEnabled(ctl::kUpgrade) && window.IsEnabled(ctl::kTransceiver) &&
               window.IsEnabled(ctl::kController);
    }

    size_t Count(ShownEvent::Kind kind, const std::string& strText) const {
        size_t n = 0;
        for (const auto& e : window.events)
            if (e.kind == kind && e.strText == strText)
                ++n;
        return n;
    }

    CPtyModule module;
    CScriptedWindow window;
    CUpgraderDlg dlg;
};

// The boot loader's side of a good upgrade from its log-in on: from the
// moment "root\r" arrives to the second reboot letter.
inline void ScriptBootloaderAfterLogin(CPtyModule& module) {
    module.Expect("root\r", "\r\nPasswd >");
    module.Expect("vexa\r", "\r\nMain menu  b) baud  9) merge\r\nEnter selection:");
    module.Expect("b\r", "\r\nBaud  b) 9600  c) 19200  d) 38400  f) 115200\r\nEnter selection:");
    // The letter with its CR, then the CR sent at the new rate.
    module.Expect("\r\r", "\r\nMain menu  b) baud  9) merge\r\nEnter selection:");
    module.Expect("9\r", "\r\nMERGE FILE MENU  u) upload\r\n");
    module.Expect("u\r", "\r\nS Record input..\r\n");
    module.Expect("\r\r", "\r\nWriting flash... done\r\nMERGE FILE MENU  u) upload\r\n");
    module.Expect("r\r", "\r\nRebooting\r\n");
    module.Expect("r\r", "\r\n");
}

// The whole boot loader side, from the command into it (strTrigger) on.
inline void ScriptBootloader(CPtyModule& module, const std::string& strTrigger) {
    module.Expect(strTrigger, "\r\nKTR-84 Bootloader V2.1\r\nLogin >");
    ScriptBootloaderAfterLogin(module);
}

// Virtual time of the first status or box with that text, -1 if none.
inline int64_t TimeOf(const CScriptedWindow& window, const std::string& strText) {
    for (const auto& e : window.events)
        if (e.strText == strText)
            return e.nAtMs;
    return -1;
}

inline std::string FiftyB() {
    return std::string(50, 'b');
}
