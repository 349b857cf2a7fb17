#include <gtest/gtest.h>

#include <cstring>

#include "tests/ip/IpFixture.h"

namespace {
const std::string kImage = "S0030000FC\r\nS2080000002705195695\r\nS804000000FB\r\n";
const UpgradeImage kRow = {2, "400E0000", "4031ffff", "SREC_FILESYSTEM", 1};

// The fixture with a three-line image in hand, as step 5 leaves it loaded.
struct CStepFixture : CIpFixture {
    UpgradeImage row = kRow;
    CStepFixture() {
        dlg.m_nImageSize = static_cast<int32_t>(kImage.size());
        dlg.m_nBytesSent = 0;
        dlg.m_pSendCursor = reinterpret_cast<const uint8_t*>(kImage.data());
    }
    int32_t Step(const std::string& strText) {
        Poll(strText);
        return dlg.FlashImageStep(row);
    }
};
} // namespace

TEST(FlashImageStep, RamUploadStartsOnlyAtThePromptAndSendsOneLinePerText) {
    CStepFixture f;
    FlashStep = 3;
    EXPECT_EQ(f.Step("echo\r\n\r\n"), IpFlashImage);
    EXPECT_EQ(f.Sent(), "\r"); // no "=>": a bare CR
    EXPECT_EQ(FlashStep, 3);
    EXPECT_EQ(f.Step("=> "), IpFlashImage);
    EXPECT_EQ(f.Sent(), "loads 10000\r");
    EXPECT_EQ(f.dlg.m_strStatus, "Starting file upload");
    EXPECT_EQ(f.window.NowMs(), 2000);
    EXPECT_EQ(f.Step("loads 10000\r\n## Ready for S-Record "), IpFlashImage);
    EXPECT_EQ(f.Sent(), "");
    EXPECT_EQ(FlashStep, 4);
    // "download" split across the polls; the first line goes out at once.
    EXPECT_EQ(f.Step("download ...\r\n"), IpFlashImage);
    EXPECT_EQ(FlashStep, 6);
    EXPECT_EQ(f.Sent(), "S0030000FC\r\n");
    EXPECT_EQ(f.window.ProgressPos(), 12);
    f.Step("S0030000FC\r\r\n");
    f.Step("x");
    EXPECT_EQ(f.Sent(), "S2080000002705195695\r\nS804000000FB\r\n");
    EXPECT_EQ(f.dlg.m_strStatus, "Uploading 0 of 0 kilobytes");
    const int64_t nBefore = f.window.NowMs();
    f.Step("x");
    EXPECT_EQ(f.Sent(), "\r\r");
    EXPECT_EQ(f.dlg.m_strStatus, "File Transfer complete");
    EXPECT_EQ(f.window.NowMs() - nBefore, 4000);
    EXPECT_EQ(FlashStep, 7);
    EXPECT_EQ(f.dlg.m_nBytesSent, static_cast<int32_t>(kImage.size()));
}

TEST(FlashImageStep, EmptyImageCompletesOnThePassThatSawDownload) {
    CStepFixture f;
    f.dlg.m_nImageSize = 0;
    FlashStep = 4;
    f.Step("## Ready for S-Record download ...\r\n");
    EXPECT_EQ(FlashStep, 7);
    EXPECT_EQ(f.Sent(), "\r\r");
}

TEST(FlashImageStep, ChecksEraseCopyAndVerifyWithTheirCommands) {
    CStepFixture f;
    FlashStep = 7;
    f.Step("x");
    EXPECT_EQ(f.Sent(), "imi 10000\r");
    EXPECT_EQ(f.Step("   Verifying Checksum ... "), IpFlashImage); // nothing yet, no sleep
    EXPECT_EQ(FlashStep, 8);
    const int64_t nAt = f.window.NowMs();
    // "OK" wins over "Bad Data" in the same text.
    f.Step("Bad Data CRC OK\r\n=> ");
    EXPECT_EQ(f.window.NowMs() - nAt, 100);
    EXPECT_EQ(f.dlg.m_strStatus, "Data Transfer OK");
    EXPECT_EQ(f.Sent(), "echo\r");
    f.Step("echo\r\n\r\n=> ");
    EXPECT_EQ(f.Sent(), "erase 400E0000 4031ffff\r");
    EXPECT_EQ(f.dlg.m_strStatus, "Erasing Flash");
    f.Step("....");
    EXPECT_EQ(FlashStep, 10);
    f.Step("... do");
    f.Step("ne\r\nErased 18 sectors\r\n=> ");
    EXPECT_EQ(FlashStep, 11);
    EXPECT_EQ(f.dlg.m_strStatus, "Flash Erased");
    f.Step("echo\r\n\r\n=> ");
    EXPECT_EQ(f.Sent(), "echo\rcp.b 10000 400E0000 $(filesize) \r");
    // The earlier "done" is not seen again.
    f.Step("cp.b 10000 400E0000 $(filesize) \r\nCopy to Flash... ");
    EXPECT_EQ(FlashStep, 12);
    f.Step("done\r\n=> ");
    EXPECT_EQ(f.dlg.m_strStatus, "Image copied to flash");
    f.Step("echo\r\n\r\n=> ");
    EXPECT_EQ(f.Sent(), "echo\rimi 400E0000\r");
    EXPECT_EQ(f.dlg.m_strStatus, "Verifying Flash");
    EXPECT_EQ(f.Step("   Verifying Checksum ... O"), IpFlashImage);
    EXPECT_EQ(f.Step("K\r\n=> "), IpNextImage);
    EXPECT_EQ(f.dlg.m_strStatus, "Flash write OK");
    EXPECT_EQ(FlashStep, 5);
    EXPECT_TRUE(f.window.Boxes().empty());
}

TEST(FlashImageStep, FailedChecksTellAbortAndBeginTheImageAgain) {
    struct Case {
        int32_t nStep;
        const char* pszText;
        const char* pszStatus;
        const char* pszBox;
    } cases[] = {
        {8, "   Bad Header Checksum\r\n=> ", "Data transfer failed: bad image header",
         "Upload Failed: RAM -> Bad image header"},
        {8, "Verifying Checksum ...    Bad Data CRC\r\n", "Data transfer failed: bad image data",
         "Upload Failed: RAM -> Bad image data"},
        {14, "   Bad Header Checksum\r\n=> ", "Flash write failed: bad image header",
         "Upload Failed: Flash -> Bad image header"},
        {14, "Verifying Checksum ...    Bad Data CRC\r\n", "Data transfer failed: bad image data",
         "Upload Failed: Flash -> Bad image data"},
    };
    for (const auto& c : cases) {
        CStepFixture f;
        FlashStep = c.nStep;
        EXPECT_EQ(f.Step(c.pszText), IpAbort) << c.pszBox;
        EXPECT_EQ(FlashStep, 5);
        EXPECT_EQ(f.dlg.m_strStatus, c.pszStatus);
        auto boxes = f.window.Boxes();
        ASSERT_EQ(boxes.size(), 1u);
        EXPECT_EQ(boxes[0].strText, c.pszBox);
        EXPECT_EQ(boxes[0].icon, MsgIcon::Stop);
    }
}

TEST(FlashImageStep, ImageThatFailsToLoadAborts) {
    CStepFixture f;
    f.row.resourceName = "SREC_NONE";
    FlashStep = 5;
    EXPECT_EQ(f.Step("=> "), IpAbort);
    EXPECT_EQ(FlashStep, 5);
    EXPECT_EQ(f.dlg.m_strStatus, "Unable to load upgrade data");
    EXPECT_EQ(f.Sent(), "");
    EXPECT_TRUE(f.window.Boxes().empty());
}

TEST(SendIpLine, LongLineGoesOutInPiecesAndNeverPastTheImage) {
    CStepFixture f;
    // 200 bytes without a line feed, then an unterminated tail.
    const std::string text = std::string(200, 'A') + "\nBB";
    f.dlg.m_nImageSize = static_cast<int32_t>(text.size());
    f.dlg.m_pSendCursor = reinterpret_cast<const uint8_t*>(text.data());
    std::string sent;
    int nLines = 0;
    while (f.dlg.SendIpLine() == 0) {
        ++nLines;
        sent += f.Sent();
    }
    EXPECT_EQ(nLines, 3);
    EXPECT_EQ(sent, text);
    EXPECT_EQ(f.dlg.m_nBytesSent, static_cast<int32_t>(text.size()));
}

TEST(NextSelectedImage, LooksOnlyAfterTheRowAndStopsAtTheEnd) {
    UpgradeImage rows[4] = {
        {0, "a", "b", "U", 1}, {1, "c", "d", "K", 0}, {2, "e", "f", "F", 1}, {-1, "", "", "", 0}};
    CIpFixture f;
    EXPECT_EQ(f.dlg.NextSelectedImage(&rows[0]), &rows[2]);
    EXPECT_EQ(f.dlg.NextSelectedImage(&rows[2]), nullptr);
    rows[3].selected = 1; // the mark is tested before the end mark
    EXPECT_EQ(f.dlg.NextSelectedImage(&rows[2]), &rows[3]);
}
