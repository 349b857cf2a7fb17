// Whole legacy runs against the module simulator over a real pty.
#include <gtest/gtest.h>

#include "tests/legacy/SimRig.h"

namespace {
struct WholeRunCase {
    ModuleKind kind;
    const char* pszBaud;
    int32_t nBaud;
    const char* pszLetter;
};

class WholeRun : public ::testing::TestWithParam<WholeRunCase> {};

TEST_P(WholeRun, ModuleHoldsTheImageByteForByteAndTheWindowIsIdleAgain) {
    const WholeRunCase& c = GetParam();
    const bool bTransceiver = c.kind == Transceiver;
    CLegacySimRig rig(
        QuickSim(bTransceiver ? SimModule::Transceiver : SimModule::Controller, false), c.kind,
        c.pszBaud);
    ASSERT_TRUE(rig.bStarted);
    rig.dlg.OnUpgrade();

    const auto lines = ImageLines(bTransceiver ? "SREC_TRAN" : "SREC_ADI_CTRL");
    ASSERT_EQ(lines.size(), bTransceiver ? 30652u : 14931u);
    EXPECT_TRUE(rig.pSim->MergeLines() == lines);
    EXPECT_TRUE(rig.pSim->MergeWritten());

    const auto transcript = rig.pSim->Transcript();
    const std::string strRecords = "<" + std::to_string(lines.size()) + " records>";
    std::vector<std::string> want = {"",  "root", "vexa",     "b", c.pszLetter, "",
                                     "9", "u",    strRecords, "r", "r"};
    want.insert(want.begin() + 1, bTransceiver ? "reset" : "s 0 b");
    if (bTransceiver)
        want.insert(want.begin() + 2, "b");
    const auto at = FindCommands(transcript, want);
    ASSERT_EQ(at.size(), want.size()) << ::testing::PrintToString(rig.Commands());
    // Everything up to the rate letter at 9600, from the CR after it at the chosen rate.
    const size_t nLetter = bTransceiver ? 6 : 5;
    for (size_t i = 0; i < at.size(); ++i)
        EXPECT_EQ(transcript[at[i]].nBaud, i <= nLetter ? 9600 : c.nBaud) << want[i];

    auto boxes = rig.window.Boxes();
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].strText, "Upload Complete!");
    EXPECT_EQ(boxes[0].icon, MsgIcon::None);
    EXPECT_EQ(rig.window.Statuses().back(), "Idle");
    EXPECT_TRUE(rig.Released());
}

INSTANTIATE_TEST_SUITE_P(Modules, WholeRun,
                         ::testing::Values(WholeRunCase{Transceiver, "115200", 115200, "f"},
                                           WholeRunCase{Controller, "115200", 115200, "f"},
                                           WholeRunCase{Transceiver, "9600", 9600, "b"}));

struct WrongModuleCase {
    SimModule module;
    ModuleKind kind;
    const char* pszBox;
};

class WrongModule : public ::testing::TestWithParam<WrongModuleCase> {};

TEST_P(WrongModule, IsReportedAndTheLineIsReleased) {
    const WrongModuleCase& c = GetParam();
    CLegacySimRig rig(QuickSim(c.module), c.kind);
    ASSERT_TRUE(rig.bStarted);
    rig.dlg.OnUpgrade();
    auto boxes = rig.window.Boxes();
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].strText, c.pszBox);
    EXPECT_EQ(boxes[0].icon, MsgIcon::Stop);
    EXPECT_EQ(rig.window.Statuses().back(), "Idle");
    EXPECT_TRUE(rig.pSim->MergeLines().empty());
    EXPECT_TRUE(rig.Released());
}

INSTANTIATE_TEST_SUITE_P(
    Cables, WrongModule,
    ::testing::Values(
        WrongModuleCase{SimModule::Controller, Transceiver,
                        "Cable possibly plugged into Controller Module.  Ensure cable is plugged "
                        "into Transceiver Module."},
        WrongModuleCase{SimModule::Transceiver, Controller,
                        "Cable possibly plugged into Transceiver Module.  Ensure cable is plugged "
                        "into Controller Module."},
        WrongModuleCase{SimModule::Ip, Controller,
                        "Cable possibly plugged into an IP-Enabled Controller."},
        WrongModuleCase{SimModule::Ip, Transceiver,
                        "Cable possibly plugged into an IP-Enabled Controller. Ensure cable is "
                        "plugged into Transceiver Module."}));

TEST(SimRuns, WrongSelectionCorrectedByTheOperatorThenUpgrades) {
    CLegacySimRig rig(QuickSim(SimModule::Controller), Transceiver);
    rig.UseShortImages();
    ASSERT_TRUE(rig.bStarted);
    rig.dlg.OnUpgrade();
    ASSERT_EQ(rig.window.Boxes().size(), 1u);
    rig.Select(Controller, "115200");
    rig.dlg.OnUpgrade();
    EXPECT_EQ(rig.window.Boxes().back().strText, "Upload Complete!");
    EXPECT_TRUE(rig.pSim->MergeLines() == rig.pShort->Lines("SREC_ADI_CTRL"));
    EXPECT_TRUE(rig.Released());
}

TEST(SimRuns, FailureReportsDuringStreamAndFlashWriteFailTheRun) {
    for (bool bDuringStream : {true, false}) {
        SimOptions options = QuickSim(SimModule::Controller, false);
        options.bMergeFailure = bDuringStream;
        options.bFlashWriteFailure = !bDuringStream;
        CLegacySimRig rig(options, Controller);
        ASSERT_TRUE(rig.bStarted);
        rig.dlg.OnUpgrade();
        auto boxes = rig.window.Boxes();
        ASSERT_EQ(boxes.size(), 1u);
        EXPECT_EQ(boxes[0].strText, "Upload Failed!");
        EXPECT_EQ(boxes[0].icon, MsgIcon::Stop);
        EXPECT_EQ(rig.window.Statuses().back(), "Upload Failed");
        EXPECT_FALSE(rig.pSim->MergeWritten());
        if (bDuringStream) {
            // The lines stop soon after the report.
            EXPECT_GE(rig.pSim->MergeLines().size(), 20u);
            EXPECT_LT(rig.pSim->MergeLines().size(), 100u);
        } else {
            EXPECT_EQ(rig.pSim->MergeLines().size(), 14931u);
        }
        EXPECT_TRUE(rig.Released());
        // The window takes another run.
        rig.NewModule(QuickSim(SimModule::Controller, false));
        rig.dlg.OnUpgrade();
        EXPECT_EQ(rig.window.Boxes().back().strText, "Upload Complete!");
        EXPECT_TRUE(rig.Released());
    }
}

TEST(SimRuns, RejectedBootLoaderLogInIsRetriedUntilTheOperatorQuits) {
    SimOptions options = QuickSim(SimModule::Controller);
    options.bRejectBootLogin = true;
    CLegacySimRig rig(options, Controller);
    ASSERT_TRUE(rig.bStarted);
    int nRetries = 0;
    rig.window.onShown = [&](const ShownEvent& e) {
        if (e.strText == "Bootloader Login Failed, Retrying" && ++nRetries == 3)
            rig.dlg.m_bQuitRequested = true;
    };
    rig.dlg.OnUpgrade();
    EXPECT_EQ(nRetries, 3);
    const auto at =
        FindCommands(rig.pSim->Transcript(), {"root", "vexa", "root", "vexa", "root", "vexa"});
    EXPECT_EQ(at.size(), 6u) << ::testing::PrintToString(rig.Commands());
    EXPECT_TRUE(rig.window.Boxes().empty());
    EXPECT_TRUE(rig.window.QuitPosted());
    EXPECT_EQ(rig.dlg.m_comm.m_bConnected, 0);
}
} // namespace

// A technician's rehearsal: the same simulated module upgraded twice in a row.
// The reboot at the end of the first run brings the module back to 9600, where
// the second run finds it.
TEST(SimRuns, SameModuleUpgradedTwice) {
    CLegacySimRig rig(QuickSim(SimModule::Controller, false), Controller);
    ASSERT_TRUE(rig.bStarted);
    rig.dlg.OnUpgrade();
    ASSERT_EQ(rig.window.Boxes().size(), 1u);
    EXPECT_EQ(rig.window.Boxes().back().strText, "Upload Complete!");

    rig.dlg.OnUpgrade();
    auto boxes = rig.window.Boxes();
    ASSERT_EQ(boxes.size(), 2u);
    EXPECT_EQ(boxes.back().strText, "Upload Complete!");
    EXPECT_EQ(rig.window.Statuses().back(), "Idle");
    EXPECT_EQ(FindCommands(rig.pSim->Transcript(),
                           {"s 0 b", "<14931 records>", "r", "r", "s 0 b", "<14931 records>"})
                  .size(),
              6u)
        << ::testing::PrintToString(rig.Commands());
    EXPECT_TRUE(rig.Released());
}
