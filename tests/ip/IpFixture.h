#pragma once

#include "app/UpgraderDlg.h"
#include "platform/ScriptedWindow.h"
#include "tests/common/PtyPair.h"

// A dialog set to the IP-Enabled Controller with its line open to a
// pseudo-terminal, on a virtual clock. The test holds the master and plays the
// module; Poll() hands a text to the steps as one poll of the run would.
struct CIpFixture {
    CPtyPair pty;
    CScriptedWindow window{true};
    CUpgraderDlg dlg{window};

    CIpFixture() {
        dlg.OnInitDialog();
        dlg.OnIpController();
        dlg.m_comm.m_strPort = pty.SlavePath();
        dlg.m_comm.CreatePortEvents();
        dlg.m_comm.Connect();
        dlg.m_rxSearch.Reset();
    }

    void Poll(const std::string& strText) {
        dlg.m_strLastRx = strText;
        dlg.m_nRxCount = static_cast<int32_t>(strText.size());
        dlg.m_rxSearch.NextPoll(strText, false);
    }

    // What the tool wrote to the module so far.
    std::string Sent() { return pty.Receive(20); }
};
