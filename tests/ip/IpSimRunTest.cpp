// Whole IP runs that end as the module lets them: complete from every starting
// point, a legacy module on the cable, a cancelled password.
#include <gtest/gtest.h>

#include <algorithm>

#include "tests/ip/IpSimRig.h"

// Each start, with the passwords the operator types at the prompts it meets
// (at the log-in a wrong one first): the run logs in, reboots into the monitor
// and flashes the file system.
TEST(IpSimRun, CompletesFromEveryPlaceOfTheSystem) {
    struct {
        SimIpStart start;
        std::vector<std::string> passwords;
    } const cases[] = {{SimIpStart::Login, {"wrong", "8484"}},
                       {SimIpStart::Password, {"8484"}},
                       {SimIpStart::Shell, {}}};
    for (const auto& c : cases) {
        SCOPED_TRACE(static_cast<int>(c.start));
        CSimRun r(FastIp(c.start));
        for (const std::string& strPassword : c.passwords)
            r.window.QueuePasswordAnswer(IDOK, strPassword);
        r.Upgrade();
        r.ExpectComplete();
        size_t nPrompts = 0;
        for (const auto& e : r.window.events)
            nPrompts += e.kind == ShownEvent::Prompt;
        EXPECT_EQ(nPrompts, c.passwords.size());
        EXPECT_TRUE(r.Received("reboot"));
        EXPECT_TRUE(r.Received("setenv baudrate 115200"));
    }
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
    int nPumpsDuringRun = 0;
    r.window.onPump = [&] {
        ++nPumpsDuringRun;
        for (int nId : kAllControls)
            bLockedDuringRun = bLockedDuringRun && !r.window.IsEnabled(nId);
    };
    r.window.QueuePasswordAnswer(IDCANCEL, "");
    r.Upgrade();
    EXPECT_GT(nPumpsDuringRun, 0); // the controls were looked at during the run
    EXPECT_TRUE(bLockedDuringRun);
    EXPECT_FALSE(r.Received("reboot"));
    EXPECT_TRUE(r.window.Boxes().empty());
    EXPECT_EQ(r.dlg.m_strStatus, "Idle");
    r.ExpectReadyForAnotherRun();
}
