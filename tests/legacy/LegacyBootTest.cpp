// Whole legacy runs and the boot loader half of the dialogue, against a
// test-played module on a pty.
#include <gtest/gtest.h>

#include "firmware/EmbeddedImages.h"
#include "tests/legacy/LegacyRig.h"
#include "upgrade/legacy/LegacyRun.h"

namespace {
struct FullRunCase {
    ModuleKind kind;
    const char* pszBaud;
    const char* pszLetter;
    int32_t nRate;
    bool bWholeImage; // else the short stand-in: the rate, not the image, is the case
};

class FullRun : public ::testing::TestWithParam<FullRunCase> {};

TEST_P(FullRun, StreamsTheImageByteForByteAtTheChosenRateAndCompletes) {
    const FullRunCase& c = GetParam();
    CLegacyRig rig(c.kind, c.pszBaud);
    if (!c.bWholeImage)
        rig.UseShortImages();
    if (c.kind == Transceiver) {
        rig.module.Expect("\r", "\r\nBSR> ");
        ScriptBootloader(rig.module, FiftyB());
    } else {
        rig.module.Expect("\r", "\r\nSAT> ");
        ScriptBootloader(rig.module, "s 0 b\r");
    }
    rig.Run();

    const std::string strCommand = c.kind == Transceiver ? "reset\r" + FiftyB() : "s 0 b\r";
    std::vector<size_t> at;
    const size_t nEnd = FindInOrder(rig.module.received,
                                    {"\r", strCommand, "root\r", "vexa\r", "b\r",
                                     std::string(c.pszLetter) + "\r", "\r", "9\r", "u\r"},
                                    &at);
    ASSERT_NE(nEnd, std::string::npos)
        << ::testing::PrintToString(rig.module.received.substr(0, 300))
        << ::testing::PrintToString(rig.window.Statuses());
    // Console and boot loader log-in at 9600, the rest at the chosen rate.
    EXPECT_EQ(rig.module.RateAt(at[5]), 9600);
    EXPECT_EQ(rig.module.RateAt(at[6]), c.nRate);
    EXPECT_EQ(rig.module.RateAt(at[8]), c.nRate);

    // The image as it is embedded, each line without its line feed, then "\r\r".
    const char* pszImage = c.kind == Transceiver ? "SREC_TRAN" : "SREC_ADI_CTRL";
    const EmbeddedImage* pImage =
        c.bWholeImage ? FindEmbeddedImage(pszImage) : rig.pShort->Find(pszImage);
    ASSERT_NE(pImage, nullptr);
    std::string strExpected;
    for (int32_t i = 0; i < pImage->nSize; ++i)
        if (pImage->pData[i] != 10)
            strExpected += static_cast<char>(pImage->pData[i]);
    EXPECT_TRUE(rig.module.received.compare(nEnd, std::string::npos, strExpected + "\r\rr\rr\r") ==
                0);
    EXPECT_EQ(rig.dlg.m_lasting.m_image.m_nBytesSent, pImage->nSize);

    const char* pszReboot =
        c.kind == Transceiver ? "Rebooting Transceiver" : "Rebooting Controller";
    std::vector<std::string> want = {"Entering Bootloader...",
                                     "Bootloader Login...",
                                     "Bootloader Login......",
                                     "Bootloader Login Successful!",
                                     "Changing Baud Rate",
                                     std::string("Baud Change to ") + c.pszBaud,
                                     "Baud Change Successful!",
                                     "Entering Merge File Upload",
                                     "Commencing Merge File upload...",
                                     "Opening File...",
                                     "Uploading 0 of " + std::to_string(pImage->nSize / 1024) +
                                         " kilobytes",
                                     "File Transfer complete",
                                     "Overwriting FLASH with new code...",
                                     "File Transfer Complete!",
                                     std::string(pszReboot) + "...",
                                     std::string(pszReboot) + "......",
                                     "Idle"};
    std::vector<std::string> statuses = rig.window.Statuses();
    size_t nNext = 0;
    for (const auto& s : statuses)
        if (nNext < want.size() && s == want[nNext])
            ++nNext;
    EXPECT_EQ(nNext, want.size()) << "missing status: " << want[std::min(nNext, want.size() - 1)];
    EXPECT_EQ(statuses.back(), "Idle");
    EXPECT_EQ(rig.TimeOf("Overwriting FLASH with new code...") -
                  rig.TimeOf("File Transfer complete"),
              4000);

    auto boxes = rig.window.Boxes();
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].strText, "Upload Complete!");
    EXPECT_EQ(boxes[0].icon, MsgIcon::None);
    EXPECT_EQ(boxes[0].buttons, MsgButtons::Ok);
    EXPECT_EQ(rig.window.ProgressPos(), 0);
    EXPECT_EQ(rig.window.ProgressUpper(), pImage->nSize);
    EXPECT_TRUE(rig.Released());
}

INSTANTIATE_TEST_SUITE_P(Rates, FullRun,
                         ::testing::Values(FullRunCase{Transceiver, "115200", "f", 115200, true},
                                           FullRunCase{Controller, "38400", "d", 38400, true},
                                           FullRunCase{Controller, "19200", "c", 19200, false},
                                           FullRunCase{Transceiver, "9600", "b", 9600, false}));

TEST(BootLoader, BannerAndLogInInOneChunkAnswerAtOnceLogInAloneAfterTheWait) {
    {
        CLegacyRig rig(Controller);
        rig.module.Expect("\r", "\r\nSAT> ");
        rig.module.Expect("s 0 b\r", "\r\nKTR-84 Bootloader V2.1\r\nLogin >");
        rig.module.Expect("root\r", "\r\n$ "); // no further prompt: ends by silence
        rig.Run();
        EXPECT_LT(rig.TimeOf("Bootloader Login...") - rig.TimeOf("Entering Bootloader..."), 2000);
        EXPECT_EQ(rig.module.received, "\rs 0 b\rroot\r");
    }
    {
        CLegacyRig rig(Controller);
        rig.module.Expect("\r", "\r\nSAT> ");
        rig.module.Expect("s 0 b\r", "\r\nLogin >");
        rig.module.Expect("root\r", "\r\n");
        rig.Run();
        EXPECT_GE(rig.TimeOf("Bootloader Login...") - rig.TimeOf("Entering Bootloader..."), 2000);
        EXPECT_EQ(rig.module.received, "\rs 0 b\rroot\r");
        EXPECT_EQ(rig.Memory().m_nRetryCount, 1);
        EXPECT_EQ(rig.window.Statuses().back(), "Connection not Established");
    }
}

TEST(BootLoader, RejectedLogInIsRetriedFromTheLogInPrompt) {
    CLegacyRig rig(Transceiver, "115200");
    rig.module.Expect("\r", "\r\nBSR> ");
    rig.module.Expect(FiftyB(), "\r\nKTR-84 Bootloader V2.1\r\nLogin >");
    rig.module.Expect("root\r", "\r\nPasswd >");
    // Menu and refusal in one chunk: both tests act, the refusal last.
    rig.module.Expect("vexa\r", "\r\nEnter selection: Incorrect\r\n");
    rig.module.Expect("b\r", "\r\nLogin >", 300);
    rig.module.Expect("root\r", "\r\nPasswd >");
    rig.module.Expect("vexa\r", "\r\nIncorrect\r\n");
    rig.module.Expect("", "\r\nLogin >", 300);
    ScriptBootloaderAfterLogin(rig.module);
    rig.UseShortImages(); // the log-in is the case, not the image
    rig.Run();

    EXPECT_NE(
        FindInOrder(rig.module.received, {"root\r", "vexa\r", "b\r", "root\r", "vexa\r", "root\r",
                                          "vexa\r", "b\r", "f\r", "\r", "9\r", "u\r"}),
        std::string::npos);
    EXPECT_EQ(rig.Count(ShownEvent::Status, "Bootloader Login Failed, Retrying"), 2u);
    const auto statuses = rig.window.Statuses();
    auto it = std::find(statuses.begin(), statuses.end(), "Changing Baud Rate");
    ASSERT_NE(it, statuses.end());
    EXPECT_EQ(*(it + 1), "Bootloader Login Failed, Retrying");
    EXPECT_EQ(rig.window.Boxes().back().strText, "Upload Complete!");
}

TEST(Silence, WithNoAnswerTheRunEndsAfterThe301stSilentPoll) {
    CLegacyRig rig(Transceiver);
    rig.Run();
    EXPECT_EQ(rig.module.received, "\r");
    EXPECT_EQ(rig.window.Statuses(),
              (std::vector<std::string>{"Idle", "Initialising", "Connection not Established"}));
    auto boxes = rig.window.Boxes();
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].strText, "Unable to Connect to Card");
    EXPECT_EQ(boxes[0].icon, MsgIcon::Stop);
    EXPECT_EQ(boxes[0].nAtMs, 30100);
    EXPECT_TRUE(rig.Released());
}

TEST(Silence, SilentPollsAddUpOverTheStatesBeforeStreaming) {
    // 20 s before the console answers, some answers, then silence in state 3:
    // the run ends once the silent polls of all states pass 300.
    CLegacyRig rig(Transceiver);
    rig.module.Expect("\r", "\r\nDest: ", 20000);
    rig.module.Expect("\r", "\r\nBSR> ", 1000);
    rig.module.Expect(FiftyB(), "\r\nKTR-84 Bootloader V2.1\r\nLogin >", 1000);
    rig.Run();
    EXPECT_EQ(rig.module.received, "\r\rreset\r" + FiftyB() + "root\r");
    EXPECT_EQ(rig.window.Statuses().back(), "Connection not Established");
    const int64_t nLastAnswer = rig.TimeOf("Bootloader Login...");
    const int64_t nEnd = rig.TimeOf("Connection not Established");
    EXPECT_LT(nEnd - nLastAnswer, 10000);
    EXPECT_EQ(rig.window.Boxes().size(), 1u);
    EXPECT_TRUE(rig.Released());
}

TEST(BaudChange, LetterAndReopenRateFollowTheListText) {
    struct Case {
        const char* pszText;
        char cLetter;
        int32_t nBaud;
    };
    for (const Case& c :
         {Case{"115200", 'f', 115200}, Case{"9600", 'b', 9600}, Case{" 19200", 'c', 19200},
          Case{"+38400", 'd', 38400}, Case{"57600", 'b', 57600}, Case{"fast", 'b', 0}}) {
        CLegacyRig rig;
        // The notice at the old rate, the menu after the CR at the new one.
        rig.module.Expect(std::string{c.cLetter, '\r'}, "\r\nPress ENTER at the new rate\r\n");
        rig.module.Expect("\r", "\r\nEnter selection: ");
        rig.dlg.m_comm.m_strPort = rig.module.Path();
        rig.dlg.m_comm.Connect();
        ASSERT_EQ(rig.dlg.m_comm.m_bConnected, 1);
        CLegacyRun run(rig.dlg.RunContext(), rig.Memory(), rig.dlg.m_lasting.m_matcher,
                       Transceiver);
        run.SetBootloaderBaud(c.pszText);
        rig.module.Service(rig.window.NowMs());
        EXPECT_EQ(rig.dlg.m_comm.m_nBaud, c.nBaud) << c.pszText;
        EXPECT_EQ(rig.module.received.substr(0, 2), (std::string{c.cLetter, '\r'})) << c.pszText;
        EXPECT_EQ(rig.window.Statuses().back(), std::string("Baud Change to ") + c.pszText);
        if (c.nBaud == 115200 || c.nBaud == 9600) {
            // The closing CR goes out at the new rate, once: the menu came.
            EXPECT_EQ(rig.module.received, (std::string{c.cLetter, '\r', '\r'}));
            EXPECT_EQ(rig.module.RateAt(2), c.nBaud);
        }
        rig.dlg.m_comm.Disconnect();
    }
}
} // namespace
