#include <gtest/gtest.h>

#include "app/UpgraderDlg.h"
#include "platform/ScriptedWindow.h"
#include "tests/common/PtyPair.h"

namespace {
// A dialog with an open line to a pseudo-terminal, on a virtual clock.
struct LoopFixture {
    CPtyPair pty;
    CScriptedWindow window{true};
    CUpgraderDlg dlg{window};

    LoopFixture() {
        dlg.OnInitDialog();
        dlg.m_comm.m_strPort = pty.SlavePath();
        dlg.m_comm.CreatePortEvents();
        dlg.m_comm.Connect();
    }
};

bool Never(int32_t) {
    return false;
}

bool Always(int32_t) {
    return true;
}

// Texts the peer sends once the virtual clock reaches their time.
struct Schedule {
    std::vector<std::pair<int64_t, std::string>> pieces;
    size_t nNext = 0;
    void Serve(const CPtyPair& pty, int64_t nNow) {
        while (nNext < pieces.size() && pieces[nNext].first <= nNow)
            pty.Send(pieces[nNext++].second);
    }
};

std::string Chunk(const CUpgraderDlg& dlg) {
    return std::string(reinterpret_cast<const char*>(dlg.m_pRxBuffer),
                       static_cast<size_t>(dlg.m_nRxCount));
}
} // namespace

// The module's text reaches the step whole, however the line cuts it up, as
// long as its pieces follow each other closely; a pause between texts parts
// them. Streaming states take what has arrived at once.
TEST(ReceiveLoop, StepsGetWholeBurstsExceptWhileStreaming) {
    for (bool bStreaming : {false, true}) {
        SCOPED_TRACE(bStreaming ? "streaming" : "waiting");
        LoopFixture f;
        Schedule peer{{{0, "\r\nLo"}, {30, "gin: "}, {400, "Pass"}, {420, "wd: "}}};
        peer.Serve(f.pty, 0);
        f.window.WaitForInput(f.dlg.m_comm.PollHandle(), 0);
        f.window.onAdvance = [&](int64_t nNow) { peer.Serve(f.pty, nNow); };
        std::vector<std::string> chunks;
        RunState run;
        f.dlg.RunReceiveLoop(
            LoopVariant::Legacy, run, Never,
            [&](RunState& r) {
                chunks.push_back(Chunk(f.dlg));
                r.bStop = chunks.size() == 2;
            },
            bStreaming ? Always : Never);
        if (bStreaming) {
            EXPECT_EQ(chunks, (std::vector<std::string>{"\r\nLo", "gin: "}));
        } else {
            EXPECT_EQ(chunks, (std::vector<std::string>{"\r\nLogin: ", "Passwd: "}));
            // The full waits between the texts count as silence; collecting does not.
            EXPECT_EQ(run.nEmptyPolls, 2);
        }
    }
}

// A module that never stops printing still gets its chunks answered.
TEST(ReceiveLoop, EndlessOutputIsCutIntoChunks) {
    LoopFixture f;
    f.pty.Send("x");
    f.window.WaitForInput(f.dlg.m_comm.PollHandle(), 0);
    f.window.onAdvance = [&](int64_t) { f.pty.Send("x"); };
    std::vector<size_t> sizes;
    RunState run;
    f.dlg.RunReceiveLoop(LoopVariant::Ip, run, Never, [&](RunState& r) {
        sizes.push_back(static_cast<size_t>(f.dlg.m_nRxCount));
        r.bStop = sizes.size() == 3;
    });
    ASSERT_EQ(sizes.size(), 3u);
    for (size_t n : sizes) {
        EXPECT_GT(n, 1u);
        EXPECT_LT(n, static_cast<size_t>(kRxCapacity));
    }
    EXPECT_LT(f.window.NowMs(), 5000);
}

// An unplugged adapter is not silence: the run ends at once, saying so.
TEST(ReceiveLoop, LineThatWentAwayEndsTheRunAtOnce) {
    for (LoopVariant variant : {LoopVariant::Legacy, LoopVariant::Ip}) {
        LoopFixture f;
        f.window.EnableControl(ctl::kUpgrade, false);
        f.pty.CloseMaster();
        RunState run;
        int nSteps = 0;
        f.dlg.RunReceiveLoop(variant, run, Always, [&](RunState&) { ++nSteps; });
        EXPECT_EQ(nSteps, 0);
        EXPECT_EQ(run.nEmptyPolls, 0);
        EXPECT_LT(f.window.NowMs(), 1000);
        EXPECT_EQ(f.dlg.m_strStatus, "Connection not Established");
        auto boxes = f.window.Boxes();
        ASSERT_EQ(boxes.size(), 1u);
        EXPECT_EQ(boxes[0].strText, "Unable to Connect to Card\nThe serial adapter went away (" +
                                        f.pty.SlavePath() +
                                        ": Input/output error): check that it is plugged in and "
                                        "the cable is seated, then press Upgrade again.");
        EXPECT_EQ(boxes[0].icon, MsgIcon::Stop);
        EXPECT_EQ(f.dlg.m_comm.m_bConnected, 0);
        EXPECT_EQ(f.window.IsEnabled(ctl::kUpgrade), variant == LoopVariant::Ip);
    }
}

TEST(ReceiveLoop, SilentLineEndsOnThe301stFullWait) {
    for (LoopVariant variant : {LoopVariant::Legacy, LoopVariant::Ip}) {
        LoopFixture f;
        ASSERT_EQ(f.dlg.m_comm.m_bConnected, 1);
        RunState run;
        int nSteps = 0;
        f.dlg.RunReceiveLoop(variant, run, Never, [&](RunState&) { ++nSteps; });
        EXPECT_EQ(nSteps, 0);
        EXPECT_EQ(run.nEmptyPolls, 301);
        EXPECT_EQ(f.window.NowMs(), 30100);
        EXPECT_EQ(f.dlg.m_strStatus, "Connection not Established");
        auto boxes = f.window.Boxes();
        ASSERT_EQ(boxes.size(), 1u);
        EXPECT_EQ(boxes[0].strText, "Unable to Connect to Card");
        EXPECT_EQ(boxes[0].icon, MsgIcon::Stop);
        EXPECT_EQ(f.dlg.m_comm.m_bConnected, 0);
        // Only the IP variant gives the Upgrade button back itself.
        f.window.EnableControl(ctl::kUpgrade, false);
    }
}

TEST(ReceiveLoop, TimeOutOfIpVariantEnablesUpgradeButton) {
    LoopFixture f;
    f.window.EnableControl(ctl::kUpgrade, false);
    RunState run;
    f.dlg.RunReceiveLoop(LoopVariant::Ip, run, Never, [](RunState&) {});
    EXPECT_TRUE(f.window.IsEnabled(ctl::kUpgrade));

    LoopFixture g;
    g.window.EnableControl(ctl::kUpgrade, false);
    RunState legacy;
    g.dlg.RunReceiveLoop(LoopVariant::Legacy, legacy, Never, [](RunState&) {});
    EXPECT_FALSE(g.window.IsEnabled(ctl::kUpgrade));
}

TEST(ReceiveLoop, LineAnsweringWithinEveryWaitNeverCountsSilence) {
    LoopFixture f;
    ASSERT_EQ(f.dlg.m_comm.m_bConnected, 1);
    // The module answers during each wait, a little later than the poll.
    f.window.onAdvance = [&](int64_t) { f.pty.Send("."); };
    RunState run;
    int nData = 0;
    f.dlg.RunReceiveLoop(LoopVariant::Legacy, run, Never, [&](RunState& r) {
        if (++nData == 400)
            r.bStop = 1;
    });
    EXPECT_EQ(nData, 400);
    EXPECT_EQ(run.nEmptyPolls, 0);
    EXPECT_TRUE(f.window.Boxes().empty());
}

TEST(ReceiveLoop, SilenceAddsUpOverTheRunEvenWithDataBetween) {
    LoopFixture f;
    // One byte every 3 s: most waits run their full 100 ms.
    int64_t nLastSecond = 0;
    f.window.onAdvance = [&](int64_t nNow) {
        if (nNow / 3000 != nLastSecond / 3000)
            f.pty.Send("x");
        nLastSecond = nNow;
    };
    RunState run;
    int nData = 0;
    f.dlg.RunReceiveLoop(LoopVariant::Legacy, run, Never, [&](RunState&) { ++nData; });
    EXPECT_GT(nData, 5);
    EXPECT_EQ(run.nEmptyPolls, 301);
    EXPECT_EQ(f.dlg.m_strStatus, "Connection not Established");
}

TEST(ReceiveLoop, WhichPassesPumpMessages) {
    // Legacy: only passes with data or in a state that runs without input.
    {
        LoopFixture f;
        f.pty.Send("abc");
        RunState run;
        int nPasses = 0;
        f.dlg.RunReceiveLoop(
            LoopVariant::Legacy, run, [](int32_t s) { return s == 9; },
            [&](RunState& r) {
                ++nPasses;
                r.nState = 9;
                if (nPasses == 5)
                    r.bStop = 1;
            });
        EXPECT_EQ(f.window.PumpCount(), 5);
        // Silent passes before the stop would not pump: run a silent loop.
        LoopFixture g;
        RunState silent;
        g.dlg.RunReceiveLoop(LoopVariant::Legacy, silent, Never, [](RunState&) {});
        EXPECT_EQ(g.window.PumpCount(), 0);
    }
    // IP: every pass, silent or not.
    {
        LoopFixture f;
        RunState run;
        f.dlg.RunReceiveLoop(LoopVariant::Ip, run, Never, [](RunState&) {});
        EXPECT_EQ(f.window.PumpCount(), 301);
    }
}

TEST(ReceiveLoop, QuitRequestStillRunsThePassThenEnds) {
    for (LoopVariant variant : {LoopVariant::Legacy, LoopVariant::Ip}) {
        LoopFixture f;
        f.window.QuitAtPump(1);
        f.pty.Send("hello");
        RunState run;
        int nSteps = 0;
        // Give the bytes time to reach the line before the first poll.
        f.window.WaitForInput(f.dlg.m_comm.PollHandle(), 100);
        f.dlg.RunReceiveLoop(variant, run, Never, [&](RunState&) { ++nSteps; });
        EXPECT_EQ(nSteps, 1);
        EXPECT_TRUE(f.window.QuitPosted());
        EXPECT_EQ(f.dlg.m_comm.m_bConnected, 1); // the loop itself leaves the port open
    }
}

TEST(ReceiveLoop, IpVariantTerminatesCutsAtNulAndTraces) {
    LoopFixture f;
    f.pty.Send(std::string("=> \0hidden", 10));
    f.window.WaitForInput(f.dlg.m_comm.PollHandle(), 100);
    RunState run;
    std::string seen;
    f.dlg.RunReceiveLoop(LoopVariant::Ip, run, Never, [&](RunState& r) {
        seen = f.dlg.m_strLastRx;
        r.bStop = 1;
    });
    EXPECT_EQ(seen, "=> ");
    ASSERT_FALSE(f.window.debug.empty());
    EXPECT_EQ(f.window.debug.back(), "Recv: => \n");
}

TEST(ReceiveLoop, FullPollIsTerminatedInsideTheBuffer) {
    LoopFixture f;
    f.pty.Send(std::string(3000, 'A'));
    for (int i = 0; i < 20 && f.window.WaitForInput(f.dlg.m_comm.PollHandle(), 10); ++i)
        ;
    RunState run;
    int32_t nFirst = -1;
    f.dlg.RunReceiveLoop(LoopVariant::Ip, run, Never, [&](RunState& r) {
        nFirst = f.dlg.m_nRxCount;
        r.bStop = 1;
    });
    // Whatever the pty delivered at once, a poll takes at most 2048 bytes.
    EXPECT_GT(nFirst, 0);
    EXPECT_LE(nFirst, kRxCapacity);
    EXPECT_EQ(f.dlg.m_strLastRx.size(), static_cast<size_t>(nFirst));
}
