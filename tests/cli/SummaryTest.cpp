// The summary of a run from its events, on a clock the test moves.
#include <gtest/gtest.h>

#include "cli/Summary.h"

namespace {
struct Clocked {
    int64_t nMs = 1000;
    CSummary summary{[this] { return nMs; }};
};

TEST(Summary, TimingsFromTheStatesAndRatesFromTheLine) {
    Clocked c;
    CSummary& s = c.summary;
    s.OnRunStart({"Transceiver", "COM1", "115200", {}});
    s.OnLineOpened({"/dev/ttyS0", 9600, "FTDI FT232R USB UART (A1)", ""});
    s.OnState("ConsoleLogin");
    s.OnLineSent("field", false);
    c.nMs += 2000;
    s.OnState("AwaitBootloader");
    c.nMs += 1500;
    s.OnState("BootMenu"); // the log-in is over
    s.OnLineClosed();
    s.OnLineOpened({"/dev/ttyS0", 115200, "", ""});
    c.nMs += 500;
    s.OnState("SendImage");
    s.OnLineSent("S00600004844521B", false);
    c.nMs += 4000;
    s.OnState("AwaitFlashWrite");
    c.nMs += 1000;
    s.OnRunEnd({RunOutcome::Complete, "Upgrade Complete", "Upload Complete!"});

    const RunSummary& r = s.Summary();
    EXPECT_TRUE(r.bEnded);
    EXPECT_EQ(r.strModule, "Transceiver");
    EXPECT_EQ(r.strDevice, "/dev/ttyS0");
    EXPECT_EQ(r.strAdapter, "FTDI FT232R USB UART (A1)");
    EXPECT_EQ(r.nLoginBaud, 9600);
    EXPECT_EQ(r.nUploadBaud, 115200);
    EXPECT_DOUBLE_EQ(r.dLoginSeconds, 3.5);
    EXPECT_DOUBLE_EQ(r.dUploadSeconds, 4.0);
    EXPECT_DOUBLE_EQ(r.dTotalSeconds, 9.0);
    EXPECT_EQ(r.nBytesSent, 5 + 16);
    EXPECT_EQ(r.end.strMessage, "Upload Complete!");
}

TEST(Summary, ARunThatNeverLeftTheLogIn) {
    Clocked c;
    CSummary& s = c.summary;
    s.OnRunStart({"IP-Enabled Controller", "ttyUSB0", "115200", {"filesystem"}});
    s.OnLineOpened({"/dev/ttyUSB0", 9600, "", ""});
    s.OnState("Login");
    c.nMs += 30000;
    s.OnRunEnd({RunOutcome::NoConnection, "Login failed!", "Unable to Connect to Card"});
    const RunSummary& r = s.Summary();
    EXPECT_DOUBLE_EQ(r.dLoginSeconds, 30.0);
    EXPECT_DOUBLE_EQ(r.dUploadSeconds, 0.0);
    EXPECT_EQ(r.nUploadBaud, 0) << "no image line went out";
    EXPECT_EQ(r.end.outcome, RunOutcome::NoConnection);
}

TEST(Summary, UploadTimeAddsUpEveryImageSentAndANewRunStartsOver) {
    Clocked c;
    CSummary& s = c.summary;
    s.OnRunStart({"IP-Enabled Controller", "COM2", "57600", {}});
    s.OnLineOpened({"/dev/ttyS1", 9600, "", ""});
    s.OnState("Login");
    s.OnState("RaiseBaud");
    s.OnLineOpened({"/dev/ttyS1", 57600, "", ""});
    s.OnState("FlashImage/SendLines");
    c.nMs += 2000;
    s.OnState("FlashImage/CheckRam");
    s.OnState("FlashImage/SendLines");
    c.nMs += 3000;
    s.OnState("FlashImage/CheckRam");
    s.OnState("RevertBaud");
    s.OnLineOpened({"/dev/ttyS1", 9600, "", ""});
    s.OnRunEnd({RunOutcome::Complete, "", ""});
    EXPECT_DOUBLE_EQ(s.Summary().dUploadSeconds, 5.0);
    EXPECT_EQ(s.Summary().nUploadBaud, 57600);
    EXPECT_EQ(s.Summary().nLoginBaud, 9600);

    s.OnRunStart({"Controller", "COM1", "9600", {}});
    EXPECT_FALSE(s.Summary().bEnded);
    EXPECT_EQ(s.Summary().nLoginBaud, 0);
    EXPECT_EQ(s.Summary().strDevice, "");
}
} // namespace
