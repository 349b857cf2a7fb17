// The IP run's receive loop on a real pseudo-terminal, on the virtual clock:
// every pass pumps, and silence gives the Upgrade button back. (A quit request
// in the middle of a pass: LegacyLoopTest.)
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
