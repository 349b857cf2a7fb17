// The IP run's receive loop on a real pseudo-terminal, on the virtual clock:
// every pass pumps, silence gives the Upgrade button back, a quit request in
// the middle of a pass.
#include <gtest/gtest.h>

#include "tests/ip/IpStepRig.h"

TEST(IpLoop, EveryPassPumpsAndSilenceGivesUpgradeBack) {
    CIpStepRig rig;
    rig.run.Run();
    EXPECT_EQ(rig.Sent(), "\r"); // the run's own wake-up CR
    EXPECT_EQ(rig.run.Receiver().EmptyPolls(), 301);
    EXPECT_EQ(rig.window.PumpCount(), 301);
    EXPECT_EQ(rig.strStatus, "Connection not Established");
    EXPECT_TRUE(rig.window.IsEnabled(ctl::kUpgrade));
    // The module kinds and the image checks stay locked until a run ends idle.
    EXPECT_FALSE(rig.window.IsEnabled(ctl::kTransceiver));
    EXPECT_FALSE(rig.window.IsEnabled(ctl::kFilesystem));
    EXPECT_EQ(rig.line.m_bConnected, 0);
}

TEST(IpLoop, QuitRequestStillRunsThePassThenEnds) {
    CIpStepRig rig;
    rig.window.QuitAtPump(1);
    rig.pty.Send("\r\n=> ");
    rig.window.WaitForInput(rig.line.PollHandle(), 100);
    rig.run.Run();
    EXPECT_EQ(rig.run.State(), IpRaiseBaud); // the step answered the prompt
    EXPECT_EQ(rig.Sent(), "\r\r");
    EXPECT_TRUE(rig.window.QuitPosted());
    EXPECT_EQ(rig.line.m_bConnected, 1);
}
