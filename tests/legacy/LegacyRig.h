#pragma once

#include <string>

#include "testing/DialogRig.h"
#include "testing/PtyModule.h"

// The dialog rig on the virtual clock, its line a pseudo-terminal that the
// test plays as the module (for byte timings the simulator does not make).
struct CLegacyRig : CDialogRig {
    explicit CLegacyRig(ModuleKind kind = Transceiver, const std::string& strBaud = "115200")
        : CDialogRig(std::make_unique<CScriptedWindow>(true)) {
        SetPort(module.Path());
        Select(kind, strBaud);
        window.onAdvance = [this](int64_t nNowMs) { module.Service(nNowMs); };
        window.onPump = [this] { module.Service(window.NowMs()); };
    }

    // One press of Upgrade; returns when the run has ended.
    void Run() {
        dlg.OnUpgrade();
        module.Service(window.NowMs());
    }
    CLegacyMemory& Memory() { return dlg.m_lasting.m_legacy; }

    CPtyModule module;
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

inline std::string FiftyB() {
    return std::string(50, 'b');
}
