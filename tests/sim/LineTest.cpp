// The line itself: rate mismatch garbling, pacing and delivery modes, noise
// and the line going away.

#include "SimClient.h"
#include "sim/ModuleSim.h"

#include <chrono>
#include <gtest/gtest.h>
#include <thread>
#include <unistd.h>

namespace {

bool AllGarbage(const std::string& strText) {
    for (unsigned char c : strText) {
        if (c < 0x80) {
            return false;
        }
    }
    return !strText.empty();
}

} // namespace

TEST(Line, NeverConfiguredLineMatchesThePowerUpRate) {
    CModuleSim sim(SimOptions{});
    ASSERT_TRUE(sim.Start());
    CSimClient client(sim.DevicePath(), 0);
    client.Send("\r");
    EXPECT_EQ(client.ReadUntil("BSR> "), "\r\nBSR> ");
}

TEST(Line, RateMismatchGarblesBothWays) {
    CModuleSim sim(SimOptions{});
    ASSERT_TRUE(sim.Start());
    CSimClient client(sim.DevicePath(), 19200);
    client.Send("reset\r");
    // Each of the six bytes arrives as garbage and is echoed as garbage.
    std::string strText;
    for (int i = 0; i < 50 && strText.size() < 6; ++i) {
        strText += client.ReadFor(100);
    }
    EXPECT_EQ(strText.size(), 6u) << Visible(strText);
    EXPECT_TRUE(AllGarbage(strText)) << Visible(strText);
    // The module got garbage too: no reset happened, nothing it understood.
    auto transcript = sim.Transcript();
    for (const SimTranscriptEntry& entry : transcript) {
        EXPECT_NE(entry.strCommand, "reset");
    }
    client.SetBaud(9600);
    client.Send("\r");
    EXPECT_TRUE(client.ReadUntil("BSR> ").ends_with("\r\nBSR> "));
}

class LineDelivery : public ::testing::TestWithParam<int> {};

// Whatever the delivery, the module's text arrives complete and in order.
TEST_P(LineDelivery, TextArrivesIntact) {
    SimOptions options;
    options.module = SimModule::Ip;
    options.ipStart = SimIpStart::Monitor;
    options.bPaceUart = (GetParam() & 1) != 0;
    options.nUsbLatencyMs = (GetParam() & 2) != 0 ? 16 : 0;
    options.bRandomFragments = (GetParam() & 4) != 0;
    CModuleSim sim(options);
    ASSERT_TRUE(sim.Start());
    CSimClient client(sim.DevicePath());
    std::string strLong(200, 'x');
    client.Send("echo " + strLong + "\r");
    EXPECT_EQ(client.ReadUntil("=> "), "echo " + strLong + "\r\n" + strLong + "\r\n=> ");
    client.Send("help\r");
    std::string strHelp = client.ReadUntil("=> ");
    EXPECT_TRUE(strHelp.find("loads   - load S-Record file over serial line\r\n") !=
                std::string::npos)
        << Visible(strHelp);
}

INSTANTIATE_TEST_SUITE_P(Modes, LineDelivery, ::testing::Values(0, 1, 2, 4, 7));

TEST(Line, NoiseBytesAppearOnAQuietLine) {
    SimOptions options;
    options.module = SimModule::Ip;
    options.ipStart = SimIpStart::Monitor;
    options.bLineNoise = true;
    options.nNoiseIntervalMs = 20;
    CModuleSim sim(options);
    ASSERT_TRUE(sim.Start());
    CSimClient client(sim.DevicePath());
    EXPECT_FALSE(client.ReadFor(400).empty());
}

TEST(Line, LineGoesAwayAfterTheFirstByte) {
    SimOptions options;
    options.nDisappearAfterMs = 100;
    CModuleSim sim(options);
    ASSERT_TRUE(sim.Start());
    std::string strPath = sim.DevicePath();
    CSimClient client(strPath);
    EXPECT_EQ(access(strPath.c_str(), F_OK), 0);
    client.Send("\r");
    client.ReadFor(1000);
    EXPECT_TRUE(client.LineFailed());
    EXPECT_NE(access(strPath.c_str(), F_OK), 0);
}
