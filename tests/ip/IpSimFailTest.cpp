// Whole IP runs that fail: the RAM check, silence, a vanished line, the
// operator quitting mid-upload.
#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <thread>

#include "testing/LineLoss.h"
#include "tests/ip/IpSimRig.h"

static void ExpectRamCheckFailure(SimOptions o, const char* pszBox) {
    CSimRun r(o);
    r.Upgrade();
    EXPECT_EQ(r.BoxTexts(), std::vector<std::string>{pszBox});
    EXPECT_FALSE(r.Received("erase 400E0000 4031ffff"));
    ASSERT_FALSE(r.sim.Transcript().empty());
    EXPECT_EQ(r.sim.Transcript().back().strCommand, "bootd");
    EXPECT_EQ(r.sim.ModuleBaud(), 9600);
    EXPECT_EQ(r.dlg.m_strStatus, "Idle");
    EXPECT_EQ(r.Step(), FlashSequenceStep::LoadImage);
    r.ExpectReadyForAnotherRun();
}

TEST(IpSimRun, RamCheckBadHeaderBootsTheModuleAgainAtStandardRate) {
    SimOptions o = FastIp(SimIpStart::Monitor);
    o.bCorruptHeader = true;
    ExpectRamCheckFailure(o, "Upload Failed: RAM -> Bad image header");
}

TEST(IpSimRun, RamCheckBadDataBootsTheModuleAgainAtStandardRate) {
    SimOptions o = FastIp(SimIpStart::Monitor);
    o.bCorruptLoadsByte = true;
    ExpectRamCheckFailure(o, "Upload Failed: RAM -> Bad image data");
}

TEST(IpSimRun, SilenceEndsTheRunAtAnyStep) {
    for (const char* pszStep : {"password", "reboot", "loads"}) {
        SCOPED_TRACE(pszStep);
        SimOptions o = FastIp(SimIpStart::Login);
        o.strSilentFrom = pszStep;
        CSimRun r(o);
        r.window.nGraceMs = 5;
        r.window.QueuePasswordAnswer(IDOK, "8484");
        r.Upgrade();
        EXPECT_EQ(r.BoxTexts(), std::vector<std::string>{"Unable to Connect to Card"});
        EXPECT_EQ(r.dlg.m_strStatus, "Connection not Established");
        r.ExpectReadyForAnotherRun();
    }
}

TEST(IpSimRun, SilenceAfterTheFlashWasWrittenStillTimesOut) {
    SimOptions o = FastIp(SimIpStart::Monitor);
    o.strSilentFrom = "bootd";
    CSimRun r(o);
    // Patient until the module falls silent, then quick to count silence.
    r.window.onShown = [&](const ShownEvent& e) {
        if (e.strText == "Booting Controller......")
            r.window.nGraceMs = 5;
    };
    r.Upgrade();
    EXPECT_EQ(r.BoxTexts(), std::vector<std::string>{"Unable to Connect to Card"});
    EXPECT_EQ(r.dlg.m_strStatus, "Connection not Established");
    EXPECT_TRUE(r.Received("imi 400E0000")) << r.TranscriptText();
    r.ExpectReadyForAnotherRun();
}

TEST(IpSimRun, QuitMidUploadAndTheNextRunBeginsItsImageAfresh) {
    CSimRun r(FastIp(SimIpStart::Monitor));
    bool bAsked = false;
    r.window.onPump = [&] {
        if (!bAsked && r.Step() == FlashSequenceStep::SendLines &&
            r.dlg.m_lasting.m_image.m_nBytesSent > 50000) {
            bAsked = true;
            r.window.QueueBoxAnswer(IDOK);
            r.dlg.OnQuitRequest();
        }
    };
    r.Upgrade();
    EXPECT_TRUE(bAsked);
    EXPECT_TRUE(r.window.QuitPosted());
    EXPECT_EQ(r.Step(), FlashSequenceStep::SendLines);
    EXPECT_TRUE(r.window.Boxes().size() == 1u); // the quit question only
    // The confirmed quit ended the download and booted the module at 9600.
    for (int i = 0; i < 500 && !r.sim.Booted(); ++i)
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    EXPECT_TRUE(r.sim.Booted()) << r.TranscriptText();
    EXPECT_EQ(r.sim.ModuleBaud(), 9600);
    r.ExpectReadyForAnotherRun();

    // The next run loads the image again from its first step, and this time
    // the module stays silent from loads.
    SimOptions o = FastIp(SimIpStart::Monitor);
    o.strSilentFrom = "loads";
    CSimRun next(o);
    next.window.nGraceMs = 5;
    next.Upgrade();
    auto statuses = next.window.Statuses();
    EXPECT_NE(std::find(statuses.begin(), statuses.end(), "Loading upgrade data"), statuses.end());
    EXPECT_EQ(next.BoxTexts(), std::vector<std::string>{"Unable to Connect to Card"});
}

// The module's end of the line closes part way through the upload, as when a
// USB adapter is pulled: the run ends at once, says so, and lets go of the port.
TEST(IpSimRun, LineThatVanishesMidUploadEndsTheRunAtOnce) {
    CSimRun r(FastIp(SimIpStart::Monitor));
    CLineLoss loss;
    loss.PullAt(r.window, "Uploading 6 of ", [&] { r.sim.Stop(); });
    r.Upgrade();
    EXPECT_EQ(loss.Misreport(r.BoxTexts(), r.dlg.m_strStatus), "");
    r.ExpectReadyForAnotherRun();
}
