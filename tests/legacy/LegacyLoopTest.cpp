// The legacy run's receive loop on a real pseudo-terminal, on the virtual
// clock: which passes pump the operator's events, silence over the whole run,
// and a quit request in the middle of a pass (in the IP run too).
#include <gtest/gtest.h>

#include "testing/RunRig.h"
#include "tests/ip/IpStepRig.h"
#include "upgrade/legacy/LegacyRun.h"

namespace {
struct CLegacyRunRig : CRunRig {
    CLegacyMemory memory;
    PromptMatcher matcher;
    CLegacyRun run{Context(), memory, matcher, Controller};
};
} // namespace

// Silent passes neither pump nor step; 301 full waits over the run end it,
// even when the module says something now and then.
TEST(LegacyLoop, SilenceAddsUpOverTheRunAndSilentPassesDoNotPump) {
    for (bool bNowAndThen : {false, true}) {
        SCOPED_TRACE(bNowAndThen ? "a byte every 3 s" : "silent");
        CLegacyRunRig rig;
        int64_t nLast = 0;
        int nBytes = 0;
        if (bNowAndThen)
            rig.window.onAdvance = [&](int64_t nNow) {
                if (nNow / 3000 != nLast / 3000) {
                    rig.farEnd.Send("x");
                    ++nBytes;
                }
                nLast = nNow;
            };
        rig.run.Run();
        EXPECT_EQ(rig.run.Receiver().EmptyPolls(), 301);
        EXPECT_EQ(rig.strStatus, "Connection not Established");
        EXPECT_EQ(rig.window.Boxes().back().strText, "Unable to Connect to Card");
        EXPECT_EQ(rig.line.m_bConnected, 0);
        if (bNowAndThen) {
            EXPECT_GT(nBytes, 5);
            EXPECT_GT(rig.window.PumpCount(), 5); // passes with data pump
        } else {
            EXPECT_EQ(rig.window.PumpCount(), 0);
        }
    }
}

// The streaming state steps and pumps on every pass, data or not: two lines
// and the end of the image, all without a word from the module.
TEST(LegacyLoop, StreamingPassesPumpWithoutData) {
    CLegacyRunRig rig;
    const std::string strImage = "S3071000000011223398\r\nS70500000000FA\r\n";
    rig.image.m_pSendCursor = reinterpret_cast<const uint8_t*>(strImage.data());
    rig.image.m_nImageSize = static_cast<int32_t>(strImage.size());
    rig.run.Run(SendImage);
    EXPECT_EQ(rig.window.PumpCount(), 3);
    EXPECT_EQ(rig.Sent(), "S3071000000011223398\rS70500000000FA\r\r\r");
    // Then the flash write is awaited in silence.
    EXPECT_EQ(rig.strStatus, "Connection not Established");
}

// The operator quits, in either run: the pass still steps, the loop ends
// after it, the port is left for the dialog to close.
template <class Rig> void QuitDuringThePassThatReads(Rig& rig, const char* pszText) {
    rig.window.QuitAtPump(1);
    rig.farEnd.Send(pszText);
    rig.window.WaitForInput(rig.line.PollHandle(), 100);
    rig.run.Run();
    EXPECT_TRUE(rig.window.QuitPosted());
    EXPECT_EQ(rig.line.m_bConnected, 1);
}

TEST(RunLoop, QuitRequestStillRunsThePassThenEnds) {
    CLegacyRunRig legacy;
    QuitDuringThePassThatReads(legacy, "\r\nSAT> ");
    EXPECT_EQ(legacy.run.State(), AwaitBootloader); // the step answered "SAT"
    EXPECT_EQ(legacy.Sent(), "s 0 b\r");
    CIpStepRig ip;
    QuitDuringThePassThatReads(ip, "\r\n=> ");
    EXPECT_EQ(ip.run.State(), IpRaiseBaud); // the step answered the prompt
    EXPECT_EQ(ip.Sent(), "\r\r");           // after the run's own wake-up CR
}
