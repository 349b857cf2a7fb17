// The receive loop's shared parts on a real serial line, on the virtual
// clock: silence and its count, bursts, and a line that went away.
#include <gtest/gtest.h>

#include "console/LineReasons.h"
#include "console/Receiver.h"
#include "testing/RunRig.h"

namespace {
// Texts the peer sends once the virtual clock reaches their time.
struct Schedule {
    std::vector<std::pair<int64_t, std::string>> pieces;
    size_t nNext = 0;
    void Serve(CFarEnd& farEnd, int64_t nNow) {
        while (nNext < pieces.size() && pieces[nNext].first <= nNow)
            farEnd.Send(pieces[nNext++].second);
    }
};

std::string Chunk(const CReceivedChunk& rx) {
    return std::string(reinterpret_cast<const char*>(rx.Data()),
                       static_cast<size_t>(rx.m_nRxCount));
}

// Polls until a chunk arrives, as a run's silent passes would.
std::string NextChunk(CReceiver& receiver, CRunRig& rig, bool bCollect = true) {
    for (int i = 0; i < 50; ++i) {
        if (receiver.Poll() > 0) {
            if (bCollect)
                receiver.CollectBurst();
            return Chunk(rig.rx);
        }
        receiver.WaitSilently();
    }
    return {};
}
} // namespace

TEST(Receiver, SilenceEndsOnThe301stFullWaitAndTheEndingClosesThePort) {
    for (bool bIp : {false, true}) {
        CRunRig rig;
        ASSERT_EQ(rig.line.m_bConnected, 1);
        rig.window.EnableControl(ctl::kUpgrade, false);
        CReceiver receiver(rig.Context());
        int nWaits = 1;
        // A pass reads before it waits: until a read the line may hold bytes.
        EXPECT_EQ(receiver.Poll(), 0);
        while (!receiver.WaitSilently())
            ++nWaits;
        EXPECT_EQ(nWaits, 301);
        EXPECT_EQ(receiver.EmptyPolls(), 301);
        EXPECT_EQ(rig.window.NowMs(), 30100);
        receiver.EndWithoutConnection(bIp);
        EXPECT_EQ(rig.strStatus, "Connection not Established");
        auto boxes = rig.window.Boxes();
        ASSERT_EQ(boxes.size(), 1u);
        EXPECT_EQ(boxes[0].strText, "Unable to Connect to Card");
        EXPECT_EQ(boxes[0].icon, MsgIcon::Stop);
        EXPECT_EQ(rig.line.m_bConnected, 0);
        // Only the IP run gives the Upgrade button back itself.
        EXPECT_EQ(rig.window.IsEnabled(ctl::kUpgrade), bIp);
    }
}

TEST(Receiver, BytesWithinAWaitAreNoSilence) {
    CRunRig rig;
    CReceiver receiver(rig.Context());
    // The module answers during each wait, a little later than the poll.
    rig.window.onAdvance = [&](int64_t) { rig.farEnd.Send("."); };
    for (int i = 0; i < 400; ++i) {
        EXPECT_FALSE(receiver.WaitSilently());
        receiver.Poll();
    }
    EXPECT_EQ(receiver.EmptyPolls(), 0);
}

// The module's text reaches the step whole, however the line cuts it up, as
// long as its pieces follow each other closely; a pause between texts parts
// them. Taken without collecting, the pieces stay apart.
TEST(Receiver, CollectingGathersWhatTheModulePrintedInOneGo) {
    for (bool bCollect : {true, false}) {
        SCOPED_TRACE(bCollect ? "collecting" : "taken at once");
        CRunRig rig;
        CReceiver receiver(rig.Context());
        Schedule peer{{{0, "\r\nLo"}, {30, "gin: "}, {400, "Pass"}, {420, "wd: "}}};
        peer.Serve(rig.farEnd, 0);
        rig.window.WaitForInput(rig.line.PollHandle(), 0);
        rig.window.onAdvance = [&](int64_t nNow) { peer.Serve(rig.farEnd, nNow); };
        const std::string first = NextChunk(receiver, rig, bCollect);
        const std::string second = NextChunk(receiver, rig, bCollect);
        if (bCollect) {
            EXPECT_EQ(first, "\r\nLogin: ");
            EXPECT_EQ(second, "Passwd: ");
            // The full waits between the texts count as silence; collecting does not.
            EXPECT_EQ(receiver.EmptyPolls(), 2);
        } else {
            EXPECT_EQ(first, "\r\nLo");
            EXPECT_EQ(second, "gin: ");
        }
    }
}

// A module that never stops printing still gets its chunks answered; a full
// buffer ends a chunk too.
TEST(Receiver, EndlessOutputIsCutIntoChunks) {
    CRunRig rig;
    CReceiver receiver(rig.Context());
    rig.farEnd.Send("x");
    rig.window.WaitForInput(rig.line.PollHandle(), 0);
    rig.window.onAdvance = [&](int64_t) { rig.farEnd.Send("x"); };
    for (int i = 0; i < 3; ++i) {
        const std::string chunk = NextChunk(receiver, rig);
        EXPECT_GT(chunk.size(), 1u);
        EXPECT_LT(chunk.size(), static_cast<size_t>(kRxCapacity));
    }
    EXPECT_LT(rig.window.NowMs(), 5000);

    rig.window.onAdvance = nullptr;
    rig.farEnd.Send(std::string(3000, 'A'));
    ASSERT_TRUE(rig.farEnd.WaitQueuedAtLine(2000));
    EXPECT_EQ(NextChunk(receiver, rig).size() + NextChunk(receiver, rig).size(), 3000u);
}

// An unplugged adapter is not silence: the poll sees it at once, and the
// ending says so in a second line.
TEST(Receiver, LineThatWentAwayIsSeenAtOnceAndNamed) {
    CRunRig rig;
    CReceiver receiver(rig.Context());
    rig.farEnd.HangUp();
    EXPECT_EQ(receiver.Poll(), 0);
    EXPECT_TRUE(receiver.LineLost());
    EXPECT_EQ(receiver.EmptyPolls(), 0);
    receiver.EndWithoutConnection(false);
    auto boxes = rig.window.Boxes();
    ASSERT_EQ(boxes.size(), 1u);
    // The system's words for the hang-up are its own on each platform.
    const std::string strDevice = CSComDoc::DevicePath(rig.farEnd.PortName());
    EXPECT_EQ(boxes[0].strText.rfind("Unable to Connect to Card\nThe serial adapter went away (" +
                                         strDevice + ": ",
                                     0),
              0u);
    EXPECT_EQ(boxes[0].strText,
              "Unable to Connect to Card\n" + LineLostReason(kHangUpError, strDevice));
    EXPECT_EQ(rig.line.m_bConnected, 0);
}
