// Whole IP runs that end as the module lets them: complete from every starting
// point, a legacy module on the cable, a cancelled password.
#include <gtest/gtest.h>

#include <algorithm>

#include "tests/ip/IpSimRig.h"

TEST(IpSimRun, FromLoginWithAWrongPasswordFirst) {
    CSimRun r(FastIp(SimIpStart::Login));
    r.window.QueuePasswordAnswer(IDOK, "wrong");
    r.window.QueuePasswordAnswer(IDOK, "8484");
    r.Upgrade();
    r.ExpectComplete();
    int nPrompts = 0;
    for (const auto& e : r.window.events)
        nPrompts += e.kind == ShownEvent::Prompt;
    EXPECT_EQ(nPrompts, 2);
    EXPECT_TRUE(r.Received("setenv baudrate 115200"));
}

TEST(IpSimRun, FromPasswordPrompt) {
    CSimRun r(FastIp(SimIpStart::Password));
    r.window.QueuePasswordAnswer(IDOK, "8484");
    r.Upgrade();
    r.ExpectComplete();
}

TEST(IpSimRun, FromShell) {
    CSimRun r(FastIp(SimIpStart::Shell));
    r.Upgrade();
    r.ExpectComplete();
    EXPECT_TRUE(r.Received("reboot"));
}

TEST(IpSimRun, FromMonitorAt57600) {
    CSimRun r(FastIp(SimIpStart::Monitor), "57600");
    int32_t nToolBaud = 0, nModuleBaud = 0;
    r.window.onPump = [&] {
        if (r.Step() == FlashSequenceStep::SendLines) {
            nToolBaud = r.dlg.m_comm.m_nBaud;
            nModuleBaud = r.sim.ModuleBaud();
        }
    };
    r.Upgrade();
    r.ExpectComplete();
    EXPECT_TRUE(r.Received("setenv baudrate 57600"));
    EXPECT_FALSE(r.Received("reboot"));
    EXPECT_EQ(nToolBaud, 57600);
    EXPECT_EQ(nModuleBaud, 57600);
}

TEST(IpSimRun, CableOnALegacyModule) {
    // The Transceiver's console prompt is "BSR> ", the Controller's "SAT> ".
    struct Case {
        SimModule module;
        const char* pszBox;
    } cases[] = {
        {SimModule::Transceiver, "Cable possibly plugged into Transceiver Module.  Ensure cable "
                                 "is plugged into an IP-Enabled Controller Module."},
        {SimModule::Controller, "Cable not plugged into an IP-Enabled Controller."},
    };
    for (const auto& c : cases) {
        SimOptions o = FastIp(SimIpStart::Login);
        o.module = c.module;
        CSimRun r(o);
        r.Upgrade();
        EXPECT_EQ(r.BoxTexts(), std::vector<std::string>{c.pszBox});
        EXPECT_EQ(r.dlg.m_strStatus, "Idle");
        r.ExpectReadyForAnotherRun();
    }
}

TEST(IpSimRun, CancelledPasswordReleasesThePort) {
    CSimRun r(FastIp(SimIpStart::Password));
    bool bLockedDuringRun = true;
    r.window.onPump = [&] {
        for (int nId : kAllControls)
            bLockedDuringRun = bLockedDuringRun && !r.window.IsEnabled(nId);
    };
    r.window.QueuePasswordAnswer(IDCANCEL, "");
    r.Upgrade();
    EXPECT_TRUE(bLockedDuringRun);
    EXPECT_FALSE(r.Received("reboot"));
    EXPECT_TRUE(r.window.Boxes().empty());
    EXPECT_EQ(r.dlg.m_strStatus, "Idle");
    r.ExpectReadyForAnotherRun();
}
