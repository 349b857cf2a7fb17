// The port's life on a real line (under Wine too: the far end is played from
// Linux): the rate the far end sees, reopening at another rate, closing by the
// destructor, and a thousand cycles that leave nothing behind.
#include <gtest/gtest.h>

#include "line/SComDoc.h"
#include "testing/FarEnd.h"

namespace {
bool Open(CSComDoc& doc, const std::string& strPort, int32_t nBaud = 9600) {
    doc.m_strPort = strPort;
    doc.m_nBaud = nBaud;
    doc.CreatePortEvents();
    return doc.Connect();
}
} // namespace

// What a procedure does when it switches the module to a faster line: close,
// store the rate, reopen. The far end's terminal shows each rate set.
TEST(SComDocRate, EveryRateShowsAtTheFarEndAndReopeningKeepsTheLine) {
    CFarEnd far;
    ASSERT_TRUE(far.Ok());
    CSComDoc doc;
    for (int32_t nBaud : {9600, 19200, 38400, 57600, 115200, 230400, 9600}) {
        SCOPED_TRACE(nBaud);
        ASSERT_TRUE(Open(doc, far.PortName(), nBaud));
        EXPECT_EQ(far.LineRate(), nBaud);
        EXPECT_FALSE(doc.Connect()); // a second open of the open port changes nothing
        EXPECT_EQ(doc.m_bConnected, 1);
        EXPECT_EQ(doc.WriteCommString("at\r"), 1);
        EXPECT_EQ(far.Receive(), "at\r");
        doc.Disconnect();
        EXPECT_EQ(doc.m_bConnected, 0);
        EXPECT_EQ(doc.PollHandle(), kNoLineHandle);
        doc.Disconnect(); // harmless
    }
}

// A configuration the driver refuses (a character of nine bits) leaves the
// port closed and free, with the refusal named; the next open takes it.
TEST(SComDocOpen, RefusedSettingsReleaseThePort) {
    CFarEnd far;
    const int nThreads = CountThreadsSteady();
    CSComDoc doc;
    doc.m_nDataBits = 9;
    EXPECT_FALSE(Open(doc, far.PortName()));
    EXPECT_EQ(doc.LastRefusal(), LineRefusal::SettingsRefused);
    EXPECT_EQ(doc.m_bConnected, 0);
    EXPECT_EQ(doc.PollHandle(), kNoLineHandle);
    EXPECT_EQ(CountThreadsSettled(nThreads), nThreads);
    doc.m_nDataBits = 8;
    EXPECT_TRUE(Open(doc, far.PortName()));
    EXPECT_EQ(doc.LastRefusal(), LineRefusal::None);
}

TEST(SComDocOpen, DestructorClosesAnOpenPort) {
    CFarEnd far;
    const int nThreads = CountThreadsSteady();
    {
        CSComDoc doc; // without CreatePortEvents: the port makes its own
        doc.m_strPort = far.PortName();
        ASSERT_TRUE(doc.Connect());
        far.Send("input parks the watcher");
        ASSERT_TRUE(far.WaitQueuedAtLine(1));
    }
    EXPECT_EQ(CountThreadsSettled(nThreads), nThreads);
    CSComDoc again;
    EXPECT_TRUE(Open(again, far.PortName()));
}

// The watcher exists exactly while the port is open, whether it is waiting
// for input or parked after it; reopening leaves nothing behind.
TEST(SComDocOpen, ThousandCyclesLeakNothing) {
    CFarEnd far;
    CSComDoc doc;
    ASSERT_TRUE(Open(doc, far.PortName()));
    doc.Disconnect();
    const int nThreads = CountThreadsSteady();
    const int nHandles = CountOpenDescriptors();

    int nWrongWhileOpen = 0;
    for (int i = 0; i < 1000; ++i) {
        ASSERT_TRUE(Open(doc, far.PortName(), i % 2 ? 115200 : 9600)) << "cycle " << i;
        // The last cycle's joined watcher may linger for a moment.
        if (CountThreadsSettled(nThreads + 1) != nThreads + 1)
            ++nWrongWhileOpen;
        if (i % 10 == 0) {
            far.Send("x");
            far.WaitQueuedAtLine(1);
        }
        doc.Disconnect();
        ASSERT_EQ(far.QueuedAtLine(), 0) << "input queue flushed at close, cycle " << i;
    }
    EXPECT_EQ(nWrongWhileOpen, 0);
    EXPECT_EQ(CountOpenDescriptors(), nHandles);
    EXPECT_EQ(CountThreadsSettled(nThreads), nThreads);
}
