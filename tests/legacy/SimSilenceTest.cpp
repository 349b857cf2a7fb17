// A simulated module that falls silent part way: the run ends after its
// silent polls add up, on the real clock (about 30 s each).
#include <gtest/gtest.h>

#include "tests/legacy/SimRig.h"

namespace {
class SilentFrom : public ::testing::TestWithParam<const char*> {};

TEST_P(SilentFrom, EndsWithConnectionNotEstablished) {
    SimOptions options = QuickSim(SimModule::Controller);
    options.strSilentFrom = GetParam();
    CLegacySimRig rig(options, Controller);
    rig.UseShortImages();
    ASSERT_TRUE(rig.bStarted);
    rig.dlg.OnUpgrade();
    auto boxes = rig.window.Boxes();
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].strText, "Unable to Connect to Card");
    EXPECT_EQ(boxes[0].icon, MsgIcon::Stop);
    EXPECT_EQ(rig.window.Statuses().back(), "Connection not Established");
    EXPECT_TRUE(rig.Released());
}

// At the boot loader's log-in, and while the module writes its flash.
INSTANTIATE_TEST_SUITE_P(Steps, SilentFrom, ::testing::Values("bootlogin", "flash"));
} // namespace
