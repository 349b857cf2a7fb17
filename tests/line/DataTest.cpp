// Bytes through the line in both directions, over a real pseudo-terminal
// (under Wine too: the far end is played from Linux).
#include <cstring>
#include <gtest/gtest.h>
#include <numeric>
#include <thread>

#include "line/SComDoc.h"
#include "testing/FarEnd.h"
#include "window/WaitReadable.h"

namespace {
class SComDocData : public ::testing::Test {
protected:
    void SetUp() override {
        m_doc.m_strPort = m_pty.PortName();
        m_doc.m_nBaud = 115200;
        m_doc.CreatePortEvents();
        ASSERT_TRUE(m_doc.Connect());
    }
    std::vector<unsigned char> ReadAll(int32_t nCapacity) {
        std::vector<unsigned char> buf(static_cast<size_t>(nCapacity));
        int n = m_doc.ReadCommData(buf.data(), nCapacity);
        buf.resize(static_cast<size_t>(std::max(n, 0)));
        return buf;
    }

    CFarEnd m_pty;
    CSComDoc m_doc;
};

std::vector<unsigned char> Bytes(const std::string& s) {
    return {s.begin(), s.end()};
}
} // namespace

TEST_F(SComDocData, WritesReachThePeerUnchanged) {
    EXPECT_EQ(m_doc.WriteCommString("reset\r"), 1);
    EXPECT_EQ(m_pty.ReceiveBytes(6), Bytes("reset\r"));
    EXPECT_EQ(m_doc.WriteCommByte(13), 1);
    EXPECT_EQ(m_doc.WriteCommByte(0), 1);
    EXPECT_EQ(m_pty.ReceiveBytes(2), (std::vector<unsigned char>{13, 0}));

    // Every byte value a string can hold, with no newline translation.
    std::string all;
    for (int c = 1; c < 256; ++c)
        all.push_back(static_cast<char>(c));
    EXPECT_EQ(m_doc.WriteCommString(all.c_str()), 1);
    EXPECT_EQ(m_pty.ReceiveBytes(all.size()), Bytes(all));
}

TEST_F(SComDocData, ReadsWhatThePeerSentUnchanged) {
    std::vector<unsigned char> all(256);
    std::iota(all.begin(), all.end(), 0);
    m_pty.Send(all);
    ASSERT_TRUE(m_pty.WaitQueuedAtLine(256 - kLineReadAhead));
    EXPECT_EQ(ReadAll(2048), all);
    EXPECT_EQ(ReadAll(2048).size(), 0u);
}

TEST_F(SComDocData, ReadTakesAtMostTheCapacityAndLeavesTheRest) {
    std::vector<unsigned char> sent(3000);
    for (size_t i = 0; i < sent.size(); ++i)
        sent[i] = static_cast<unsigned char>('A' + i % 26);
    m_pty.Send(sent);
    ASSERT_TRUE(m_pty.WaitQueuedAtLine(3000 - kLineReadAhead));

    std::vector<unsigned char> first = ReadAll(2048);
    ASSERT_EQ(first.size(), 2048u);
    EXPECT_EQ(m_pty.QueuedAtLine(), 952);
    std::vector<unsigned char> rest = ReadAll(2048);
    ASSERT_EQ(rest.size(), 952u);
    first.insert(first.end(), rest.begin(), rest.end());
    EXPECT_EQ(first, sent);
}

TEST_F(SComDocData, EmptyOrNonsenseReadsReturnNothing) {
    unsigned char buf[16];
    EXPECT_EQ(m_doc.ReadCommData(buf, sizeof buf), 0); // nothing queued: no wait
    m_pty.Send("abc");
    ASSERT_TRUE(m_pty.WaitQueuedAtLine(3 - kLineReadAhead));
    EXPECT_EQ(m_doc.ReadCommData(buf, 0), 0);
    EXPECT_EQ(m_doc.ReadCommData(buf, -1), 0);
    // They took nothing: all of it is still there for a real read.
    EXPECT_EQ(ReadAll(16), Bytes("abc"));
}

// What the receive loop's waits wait on: the line's handle says input is
// there exactly when bytes have come, also after a read that took them all;
// a read that filled its buffer leaves the next wait to end at once.
TEST_F(SComDocData, HandleSaysInputIsThereWhenBytesCome) {
    const int kAWhileMs = 50;
    const int kPatienceMs = 10000; // only a line that never tells would take it
    EXPECT_TRUE(ReadAll(16).empty());
    EXPECT_FALSE(InputReady(m_doc.PollHandle(), kAWhileMs));
    for (const char* pszText : {"a", "bc\r\n"}) {
        SCOPED_TRACE(pszText);
        m_pty.Send(pszText);
        ASSERT_TRUE(InputReady(m_doc.PollHandle(), kPatienceMs));
        ASSERT_TRUE(m_pty.WaitQueuedAtLine(static_cast<int>(strlen(pszText)) - kLineReadAhead));
        EXPECT_EQ(ReadAll(16), Bytes(pszText));
        EXPECT_FALSE(InputReady(m_doc.PollHandle(), kAWhileMs));
    }
    m_pty.Send("defg");
    ASSERT_TRUE(InputReady(m_doc.PollHandle(), kPatienceMs));
    ASSERT_TRUE(m_pty.WaitQueuedAtLine(4 - kLineReadAhead));
    EXPECT_EQ(ReadAll(2), Bytes("de"));
    EXPECT_TRUE(InputReady(m_doc.PollHandle(), 0));
    EXPECT_EQ(ReadAll(16), Bytes("fg"));
}

// A string larger than the line's buffers goes out whole, in order, while the
// peer takes it in pieces.
TEST_F(SComDocData, LongStringSurvivesPartialWrites) {
    std::string text;
    for (int i = 0; text.size() < 60000; ++i)
        text += "S1130000" + std::to_string(i) + "\r";
    std::vector<unsigned char> received;
    std::thread reader([&] { received = m_pty.ReceiveBytes(text.size()); });
    EXPECT_EQ(m_doc.WriteCommString(text.c_str()), 1);
    reader.join();
    EXPECT_EQ(received, Bytes(text));
}

// A line that takes nothing costs each byte one bounded wait; the byte is
// lost, the write still reports success, and later bytes go through again.
TEST_F(SComDocData, ByteTheLineDoesNotTakeIsDropped) {
    const size_t nFilled = m_pty.FillTowardsFarEnd();
    ASSERT_GT(nFilled, 0u);
    EXPECT_EQ(m_doc.WriteCommByte('x'), 1);
    EXPECT_EQ(m_doc.WriteCommString("yz"), 1);
    EXPECT_EQ(m_pty.ReceiveBytes(nFilled), std::vector<unsigned char>(nFilled, 'f'));

    // Had x, y or z been kept anywhere, they would come before this.
    EXPECT_EQ(m_doc.WriteCommString("ok\r"), 1);
    EXPECT_EQ(m_pty.ReceiveBytes(3), Bytes("ok\r"));
}

// An adapter unplugged while open: writes lose their bytes at once, reads
// find nothing, and closing still ends the watcher.
TEST_F(SComDocData, LineThatWentAwayClosesCleanly) {
    const int nThreads = CountThreadsSteady();
    m_pty.HangUp();
    EXPECT_FALSE(m_doc.LineLost()); // nothing has met the hang-up yet
    unsigned char buf[16];
    EXPECT_EQ(m_doc.ReadCommData(buf, sizeof buf), 0);
    EXPECT_TRUE(m_doc.LineLost());
    EXPECT_EQ(m_doc.LineLostError(), kHangUpError);
    // Nothing more goes out, and the callers hear of it.
    EXPECT_EQ(m_doc.WriteCommString("anyone?\r"), 0);
    EXPECT_EQ(m_doc.WriteCommByte(13), 0);
    m_doc.Disconnect();
    EXPECT_EQ(m_doc.m_bConnected, 0);
    EXPECT_FALSE(m_doc.LineLost());
    EXPECT_EQ(CountThreadsSettled(nThreads - 1), nThreads - 1);
}

// A write meets the hang-up first: it stops at once instead of dropping the
// rest byte by byte, and the next read says nothing more.
TEST_F(SComDocData, WriteIntoALineThatWentAwayStopsAtOnce) {
    m_pty.HangUp();
    const std::string strLong(100000, 'S');
    EXPECT_EQ(m_doc.WriteCommString(strLong.c_str()), 0);
    EXPECT_EQ(m_doc.LineLostError(), kHangUpError);
    unsigned char buf[16];
    EXPECT_EQ(m_doc.ReadCommData(buf, sizeof buf), 0);
}

// The device is gone when the line is opened again (a reopen at a new rate).
TEST(SComDocReopen, DeviceGoneCountsAsALostLine) {
    CSComDoc doc;
    doc.m_strPort = kMissingPort;
    doc.CreatePortEvents();
    EXPECT_FALSE(doc.Connect());
    EXPECT_TRUE(doc.LineLost());
    EXPECT_EQ(doc.LastOpenError(), kMissingPortError);
    CFarEnd pty;
    doc.m_strPort = pty.PortName();
    ASSERT_TRUE(doc.Connect());
    EXPECT_FALSE(doc.LineLost());
}

TEST(SComDocClosed, EverythingReturnsZero) {
    CFarEnd pty;
    CSComDoc doc;
    unsigned char buf[8];
    EXPECT_EQ(doc.WriteCommByte('x'), 0);
    EXPECT_EQ(doc.ReadCommData(buf, sizeof buf), 0);

    doc.m_strPort = pty.PortName();
    doc.CreatePortEvents();
    ASSERT_TRUE(doc.Connect());
    pty.Send("late");
    ASSERT_TRUE(pty.WaitQueuedAtLine(4));
    doc.Disconnect();
    EXPECT_EQ(doc.WriteCommByte('x'), 0);
    EXPECT_EQ(doc.WriteCommString("x\r"), 0);
    EXPECT_EQ(doc.ReadCommData(buf, sizeof buf), 0);
    EXPECT_EQ(pty.QueuedAtLine(), 0); // discarded at close
}
