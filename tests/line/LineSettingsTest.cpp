// The line configuration as the terminal driver reports it.
#include <gtest/gtest.h>
#include <termios.h>

#include "line/SComDoc.h"
#include "line/posix/TermiosSettings.h"
#include "testing/PtyPair.h"

namespace {
// A cooked, noisy line as a driver may have left it, so that the raw mode
// set on open shows.
void MakeCooked(int nFd, tcflag_t extraCflag = 0) {
    termios tio{};
    ASSERT_EQ(tcgetattr(nFd, &tio), 0);
    tio.c_iflag |= ICRNL | INLCR | IGNCR | ISTRIP | IXON | IXOFF | IXANY | BRKINT;
    tio.c_oflag |= OPOST | ONLCR;
    tio.c_lflag |= ICANON | ECHO | ECHONL | ISIG | IEXTEN;
    tio.c_cflag = (tio.c_cflag & ~(CSTOPB | CRTSCTS | PARODD | CMSPAR)) | extraCflag;
    tio.c_cc[VMIN] = 1;
    tio.c_cc[VTIME] = 5;
    tio.c_cc[VSTART] = 0x01;
    tio.c_cc[VSTOP] = 0x02;
    cfsetspeed(&tio, B1200);
    ASSERT_EQ(tcsetattr(nFd, TCSANOW, &tio), 0);
}

termios Attr(int nFd) {
    termios tio{};
    EXPECT_EQ(tcgetattr(nFd, &tio), 0);
    return tio;
}

class SComDocLine : public ::testing::Test {
protected:
    // Opens with the given settings and returns the slave's termios.
    termios OpenWith(int32_t nBaud, int32_t nParity = 0, int32_t nStopBits = 0, int32_t bRtsCts = 0,
                     int32_t bXonXoff = 0) {
        m_doc.m_strPort = m_pty.SlavePath();
        m_doc.m_nBaud = nBaud;
        m_doc.m_nParity = nParity;
        m_doc.m_nStopBits = nStopBits;
        m_doc.m_bRtsCts = bRtsCts;
        m_doc.m_bXonXoff = bXonXoff;
        m_doc.CreatePortEvents();
        EXPECT_TRUE(m_doc.Connect());
        termios tio = Attr(m_pty.Slave());
        m_doc.Disconnect();
        return tio;
    }

    CPtyPair m_pty;
    CSComDoc m_doc;
};
} // namespace

TEST_F(SComDocLine, RateAndRawModeShowInBothEnds) {
    const std::pair<int32_t, speed_t> rates[] = {{9600, B9600},     {19200, B19200},
                                                 {38400, B38400},   {57600, B57600},
                                                 {115200, B115200}, {230400, B230400}};
    for (auto [nBaud, speed] : rates) {
        SCOPED_TRACE(nBaud);
        MakeCooked(m_pty.Slave());
        m_doc.m_strPort = m_pty.SlavePath();
        m_doc.m_nBaud = nBaud;
        m_doc.CreatePortEvents();
        ASSERT_TRUE(m_doc.Connect());
        // The master of a Linux pseudo-terminal reports the slave's settings.
        for (int nFd : {m_pty.Slave(), m_pty.Master()}) {
            termios tio = Attr(nFd);
            EXPECT_EQ(cfgetospeed(&tio), speed);
            EXPECT_EQ(cfgetispeed(&tio), speed);
            EXPECT_EQ(tio.c_cflag & CSIZE, static_cast<tcflag_t>(CS8));
            EXPECT_EQ(tio.c_cflag & (CLOCAL | CREAD), static_cast<tcflag_t>(CLOCAL | CREAD));
            EXPECT_EQ(tio.c_cflag & (CSTOPB | CRTSCTS | PARENB), 0u);
            EXPECT_EQ(tio.c_lflag & (ICANON | ECHO | ECHONL | ISIG | IEXTEN), 0u);
            EXPECT_EQ(tio.c_oflag & OPOST, 0u);
            EXPECT_EQ(
                tio.c_iflag & (ICRNL | INLCR | IGNCR | ISTRIP | IXON | IXOFF | IXANY | BRKINT), 0u);
            EXPECT_EQ(tio.c_iflag & INPCK, static_cast<tcflag_t>(INPCK));
            EXPECT_EQ(tio.c_cc[VMIN], 0);
            EXPECT_EQ(tio.c_cc[VTIME], 0);
        }
        m_doc.Disconnect();
    }
}

TEST_F(SComDocLine, FramingAndFlowControl) {
    MakeCooked(m_pty.Slave());
    termios tio = OpenWith(9600, 0, 2, 1, 1);
    EXPECT_TRUE(tio.c_cflag & CSTOPB);
    EXPECT_TRUE(tio.c_cflag & CRTSCTS);
    EXPECT_EQ(tio.c_iflag & (IXON | IXOFF), static_cast<tcflag_t>(IXON | IXOFF));
    EXPECT_EQ(tio.c_cc[VSTART], 0x11);
    EXPECT_EQ(tio.c_cc[VSTOP], 0x13);

    MakeCooked(m_pty.Slave());
    tio = OpenWith(9600, 0, 1); // one and a half stop bits run as two
    EXPECT_TRUE(tio.c_cflag & CSTOPB);

    for (tcflag_t preset : {tcflag_t{0}, tcflag_t{CSTOPB}}) {
        MakeCooked(m_pty.Slave(), preset);
        tio = OpenWith(9600, 0, 7); // unknown selector: as the driver had it
        EXPECT_EQ(tio.c_cflag & CSTOPB, preset);
    }
}

// A pseudo-terminal has no parity generator: its driver clears PARENB (and
// forces CS8) whatever is asked. The parity's sense (PARODD) and stick mode
// (CMSPAR) stay visible, and tell the selectors apart.
TEST_F(SComDocLine, ParitySelectorsAsThePseudoTerminalKeepsThem) {
    MakeCooked(m_pty.Slave(), PARODD | CMSPAR);
    termios tio = OpenWith(9600, 1); // even
    EXPECT_EQ(tio.c_cflag & (PARODD | CMSPAR), 0u);

    MakeCooked(m_pty.Slave());
    tio = OpenWith(9600, 2); // odd
    EXPECT_EQ(tio.c_cflag & (PARODD | CMSPAR), static_cast<tcflag_t>(PARODD));

    MakeCooked(m_pty.Slave());
    tio = OpenWith(9600, 3); // mark
    EXPECT_EQ(tio.c_cflag & (PARODD | CMSPAR), static_cast<tcflag_t>(PARODD | CMSPAR));

    MakeCooked(m_pty.Slave(), PARODD);
    tio = OpenWith(9600, 4); // space
    EXPECT_EQ(tio.c_cflag & (PARODD | CMSPAR), static_cast<tcflag_t>(CMSPAR));

    for (tcflag_t preset : {tcflag_t{0}, tcflag_t{PARODD}, tcflag_t{PARODD | CMSPAR}}) {
        MakeCooked(m_pty.Slave(), preset);
        tio = OpenWith(9600, 5); // unknown selector: as the driver had it
        EXPECT_EQ(tio.c_cflag & (PARODD | CMSPAR), preset);
    }
}

// What a real UART driver would be asked for, where a pseudo-terminal cannot
// show it.
TEST(LineSettings, ParityAndCharacterSizeRequested) {
    struct Case {
        int32_t nParity;
        tcflag_t preset;
        tcflag_t expected;
    };
    const Case cases[] = {
        {0, PARENB | PARODD | CMSPAR, 0},
        {1, PARODD | CMSPAR, PARENB},
        {2, 0, PARENB | PARODD},
        {3, 0, PARENB | PARODD | CMSPAR},
        {4, PARODD, PARENB | CMSPAR},
        {5, PARENB | PARODD, PARENB | PARODD},
        {-1, PARENB, PARENB},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.nParity);
        termios tio{};
        tio.c_cflag = CS8 | c.preset;
        LineSettings settings;
        settings.nParity = c.nParity;
        ASSERT_TRUE(ApplyLineSettings(tio, settings));
        EXPECT_EQ(tio.c_cflag & (PARENB | PARODD | CMSPAR), c.expected);
        EXPECT_TRUE(tio.c_iflag & INPCK);
    }

    const std::pair<int32_t, tcflag_t> sizes[] = {{5, CS5}, {6, CS6}, {7, CS7}, {0x108, CS8}};
    for (auto [nDataBits, size] : sizes) {
        termios tio{};
        LineSettings settings;
        settings.nDataBits = nDataBits; // only the low byte counts
        ASSERT_TRUE(ApplyLineSettings(tio, settings));
        EXPECT_EQ(tio.c_cflag & CSIZE, size);
    }
    for (int32_t nDataBits : {4, 9, 0x100}) {
        termios tio{};
        LineSettings settings;
        settings.nDataBits = nDataBits;
        EXPECT_FALSE(ApplyLineSettings(tio, settings)) << nDataBits;
    }
}
