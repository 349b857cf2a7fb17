// The Transceiver and Controller models driven through their dialogues over
// the pseudo-terminal.

#include "LegacyTestSteps.h"
#include "SimClient.h"
#include "TestImage.h"
#include "sim/ModuleSim.h"

#include <gtest/gtest.h>

namespace {

constexpr auto npos = std::string::npos;

SimOptions FastLegacy(SimModule module) {
    SimOptions options;
    options.module = module;
    options.dFlashWriteSeconds = 0.05;
    options.dRestartWindowSeconds = 0.6;
    options.dNoAppLoginDelaySeconds = 0.8;
    return options;
}

bool Contains(const std::string& strText, const std::string& strPart) {
    return strText.find(strPart) != npos;
}

} // namespace

TEST(LegacyDialogue, TransceiverUpgradeAtRaisedRateStoresEveryRecord) {
    TestImage image;
    ASSERT_TRUE(BuildTestImage(2000, image));
    CModuleSim sim(FastLegacy(SimModule::Transceiver));
    ASSERT_TRUE(sim.Start());
    CSimClient client(sim.DevicePath());
    ASSERT_TRUE(client.IsOpen());

    client.Send("\r");
    EXPECT_EQ(client.ReadUntil("BSR> "), "\r\nBSR> ");
    std::string strText = ResetIntoBootLoader(client);
    EXPECT_TRUE(Contains(strText, "Bootloader")) << Visible(strText);
    EXPECT_FALSE(Contains(strText, "application")) << Visible(strText);
    strText = LogInToBootLoader(client);
    EXPECT_TRUE(Contains(strText, "Main menu")) << Visible(strText);

    client.Send("b\r");
    EXPECT_TRUE(Contains(client.ReadUntil("selection"), "115200"));
    client.Send("f\r");
    strText = client.ReadUntil("new rate\r\n");
    EXPECT_TRUE(Contains(strText, "Switching to 115200")) << Visible(strText);
    // The boot loader switches a moment after its notice has left it.
    for (int i = 0; i < 500 && sim.ModuleBaud() != 115200; ++i)
        client.ReadFor(10);
    client.SetBaud(115200);
    client.Send("\r");
    strText = client.ReadUntil("selection");
    EXPECT_TRUE(Contains(strText, "Main menu")) << Visible(strText);
    EXPECT_EQ(sim.ModuleBaud(), 115200);

    client.Send("9\r");
    EXPECT_TRUE(Contains(client.ReadUntil("selection"), "MERGE"));
    client.Send("u\r");
    EXPECT_TRUE(Contains(client.ReadUntil("S Record input.."), "S Record input.."));
    SendRecords(client, image.lines);
    client.Send("\r\r");
    strText = client.ReadUntil("selection");
    EXPECT_TRUE(Contains(strText, "FLASH write complete")) << Visible(strText);
    EXPECT_TRUE(Contains(strText, "MERGE")) << Visible(strText);
    EXPECT_FALSE(Contains(strText, "FAILURE")) << Visible(strText);
    EXPECT_TRUE(sim.MergeWritten());
    EXPECT_EQ(sim.MergeLines(), image.lines);

    client.Send("r\r");
    EXPECT_TRUE(Contains(client.ReadUntil("selection"), "Main menu"));
    client.Send("r\r");
    strText = client.ReadUntil("Rebooting...\r\n");
    EXPECT_TRUE(Contains(strText, "Rebooting...")) << Visible(strText);
    // The restarted module is back at its power-on rate.
    client.SetBaud(9600);
    strText = client.ReadUntil("BSR> ");
    EXPECT_TRUE(Contains(strText, "Transceiver application")) << Visible(strText);
    EXPECT_EQ(sim.ModuleBaud(), 9600);

    // The transcript holds the commands with the rate each arrived at.
    bool bSawReset = false;
    bool bSawMergeAtNewRate = false;
    for (const SimTranscriptEntry& entry : sim.Transcript()) {
        bSawReset = bSawReset || (entry.strCommand == "reset" && entry.nBaud == 9600);
        bSawMergeAtNewRate =
            bSawMergeAtNewRate || (entry.strCommand == "9" && entry.nBaud == 115200);
    }
    EXPECT_TRUE(bSawReset);
    EXPECT_TRUE(bSawMergeAtNewRate);
}

TEST(LegacyDialogue, ResetWithoutLettersRestartsTheApplication) {
    CModuleSim sim(FastLegacy(SimModule::Transceiver));
    ASSERT_TRUE(sim.Start());
    CSimClient client(sim.DevicePath());
    client.Send("reset\r");
    std::string strText = client.ReadUntil("BSR> ");
    EXPECT_TRUE(Contains(strText, "Transceiver application")) << Visible(strText);
    EXPECT_FALSE(Contains(strText, "Bootloader")) << Visible(strText);
}

TEST(LegacyDialogue, ControllerEntersItsBootLoaderOnCommand) {
    CModuleSim sim(FastLegacy(SimModule::Controller));
    ASSERT_TRUE(sim.Start());
    CSimClient client(sim.DevicePath());
    client.Send("\r");
    EXPECT_EQ(client.ReadUntil("SAT> "), "\r\nSAT> ");
    client.Send("s 0 b\r");
    std::string strText = client.ReadUntil("Login > ");
    EXPECT_TRUE(Contains(strText, "Controller Bootloader")) << Visible(strText);
    EXPECT_FALSE(Contains(strText, "SAT")) << Visible(strText);
    strText = LogInToBootLoader(client);
    EXPECT_TRUE(Contains(strText, "Main menu")) << Visible(strText);
}

TEST(LegacyDialogue, ConsoleLogInWithDestAndAWrongPair) {
    SimOptions options = FastLegacy(SimModule::Transceiver);
    options.bConsoleLoginRequired = true;
    options.bConsoleDest = true;
    CModuleSim sim(options);
    ASSERT_TRUE(sim.Start());
    CSimClient client(sim.DevicePath());
    client.Send("\r");
    EXPECT_EQ(client.ReadUntil("Dest: "), "\r\nDest: ");
    client.Send("\r");
    EXPECT_EQ(client.ReadUntil("Login: "), "\r\nLogin: ");
    client.Send("field\r");
    EXPECT_EQ(client.ReadUntil("Passwd: "), "field\r\nPasswd: ");
    client.Send("nope\r");
    std::string strText = client.ReadUntil("Incorrect\r\n");
    EXPECT_FALSE(Contains(strText, "nope")) << "the password must not be echoed";
    EXPECT_TRUE(Contains(strText, "Incorrect"));
    client.Send("\r");
    client.ReadUntil("Dest: ");
    client.Send("\r");
    client.ReadUntil("Login: ");
    client.Send("field\r");
    client.ReadUntil("Passwd: ");
    client.Send("8484\r");
    EXPECT_TRUE(Contains(client.ReadUntil("BSR> "), "console"));
}

TEST(LegacyDialogue, BootLoaderRejectsAWrongPairAndAsksAgainSeparately) {
    CModuleSim sim(FastLegacy(SimModule::Transceiver));
    ASSERT_TRUE(sim.Start());
    CSimClient client(sim.DevicePath());
    ResetIntoBootLoader(client);
    client.Send("root\r");
    client.ReadUntil("Passwd > ");
    client.Send("wrong\r");
    EXPECT_TRUE(Contains(client.ReadUntil("Incorrect\r\n"), "Incorrect"));
    EXPECT_FALSE(Contains(client.ReadFor(200), "Login >")); // it comes after a pause
    EXPECT_TRUE(Contains(client.ReadUntil("Login > "), "Login > "));
    std::string strText = LogInToBootLoader(client);
    EXPECT_TRUE(Contains(strText, "Main menu")) << Visible(strText);
}

// Without application code: the tool's carriage return finds the recovery
// menu, its reboot brings the menu back, and the second reboot ends in the
// boot loader's banner and log-in, from where the upgrade runs as usual.
TEST(LegacyDialogue, NoApplicationCodeShowsTheMenuTwiceThenTheLogIn) {
    TestImage image;
    ASSERT_TRUE(BuildTestImage(500, image));
    SimOptions options = FastLegacy(SimModule::Transceiver);
    options.bNoApplicationCode = true;
    CModuleSim sim(options);
    ASSERT_TRUE(sim.Start());
    CSimClient client(sim.DevicePath());

    client.Send("\r");
    std::string strText = client.ReadUntil("selection");
    EXPECT_TRUE(Contains(strText, "No application code present")) << Visible(strText);
    EXPECT_FALSE(Contains(strText, "Login")) << Visible(strText);
    client.Send("r\r");
    strText = client.ReadUntil("selection");
    EXPECT_TRUE(Contains(strText, "Bootloader")) << Visible(strText);
    EXPECT_FALSE(Contains(strText, "Login")) << Visible(strText);
    client.Send("r\r");
    strText = client.ReadUntil("Login > ");
    EXPECT_TRUE(Contains(strText, "Bootloader")) << Visible(strText);
    ASSERT_TRUE(Contains(strText, "Login > ")) << Visible(strText);

    LogInToBootLoader(client);
    client.Send("9\r");
    client.ReadUntil("selection");
    client.Send("u\r");
    client.ReadUntil("S Record input..");
    SendRecords(client, image.lines);
    client.Send("\r\r");
    EXPECT_TRUE(Contains(client.ReadUntil("selection"), "MERGE"));
    EXPECT_TRUE(sim.MergeWritten());
    client.Send("r\r");
    client.ReadUntil("selection");
    client.Send("r\r");
    // The written application now starts.
    EXPECT_TRUE(Contains(client.ReadUntil("BSR> "), "Transceiver application"));
}
