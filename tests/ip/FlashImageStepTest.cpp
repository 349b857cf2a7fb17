#include <gtest/gtest.h>

#include <cstring>

#include "tests/ip/IpStepRig.h"

namespace {
const std::string kImage = "S0030000FC\r\nS2080000002705195695\r\nS804000000FB\r\n";
// The rig with a three-line image in hand, as step 5 leaves it loaded.
struct CStepFixture : CIpStepRig {
    UpgradeImage row = ImageTable[2];
    CStepFixture() {
        image.m_nImageSize = static_cast<int32_t>(kImage.size());
        image.m_nBytesSent = 0;
        image.m_pSendCursor = reinterpret_cast<const uint8_t*>(kImage.data());
    }
    int32_t Step(const std::string& strText) {
        Poll(strText);
        return run.FlashImageStep(row);
    }
};
} // namespace

TEST(FlashImageStep, RamUploadStartsOnlyAtThePromptAndSendsOneLinePerText) {
    CStepFixture f;
    f.SetFlashStep(3);
    EXPECT_EQ(f.Step("echo\r\n\r\n"), IpFlashImage);
    EXPECT_EQ(f.Sent(), "\r"); // no "=>": a bare CR
    EXPECT_EQ(f.FlashStepNow(), 3);
    EXPECT_EQ(f.Step("=> "), IpFlashImage);
    EXPECT_EQ(f.Sent(), "loads 10000\r");
    EXPECT_EQ(f.strStatus, "Starting file upload");
    EXPECT_EQ(f.window.NowMs(), 2000);
    EXPECT_EQ(f.Step("loads 10000\r\n## Ready for S-Record "), IpFlashImage);
    EXPECT_EQ(f.Sent(), "");
    EXPECT_EQ(f.FlashStepNow(), 4);
    // "download" split across the polls; the first line goes out at once.
    EXPECT_EQ(f.Step("download ...\r\n"), IpFlashImage);
    EXPECT_EQ(f.FlashStepNow(), 6);
    EXPECT_EQ(f.Sent(), "S0030000FC\r\n");
    EXPECT_EQ(f.window.ProgressPos(), 12);
    f.Step("S0030000FC\r\r\n");
    f.Step("x");
    EXPECT_EQ(f.Sent(), "S2080000002705195695\r\nS804000000FB\r\n");
    EXPECT_EQ(f.strStatus, "Uploading 0 of 0 kilobytes");
    const int64_t nBefore = f.window.NowMs();
    f.Step("x");
    EXPECT_EQ(f.Sent(), "\r\r");
    EXPECT_EQ(f.strStatus, "File Transfer complete");
    EXPECT_EQ(f.window.NowMs() - nBefore, 4000);
    EXPECT_EQ(f.FlashStepNow(), 7);
    EXPECT_EQ(f.image.m_nBytesSent, static_cast<int32_t>(kImage.size()));
}

TEST(FlashImageStep, EmptyImageCompletesOnThePassThatSawDownload) {
    CStepFixture f;
    f.image.m_nImageSize = 0;
    f.SetFlashStep(4);
    f.Step("## Ready for S-Record download ...\r\n");
    EXPECT_EQ(f.FlashStepNow(), 7);
    EXPECT_EQ(f.Sent(), "\r\r");
}

TEST(FlashImageStep, ChecksEraseCopyAndVerifyWithTheirCommands) {
    CStepFixture f;
    f.SetFlashStep(7);
    f.Step("x");
    EXPECT_EQ(f.Sent(), "imi 10000\r");
    EXPECT_EQ(f.Step("   Verifying Checksum ... "), IpFlashImage); // nothing yet, no sleep
    EXPECT_EQ(f.FlashStepNow(), 8);
    const int64_t nAt = f.window.NowMs();
    // "OK" wins over "Bad Data" in the same text.
    f.Step("Bad Data CRC OK\r\n=> ");
    EXPECT_EQ(f.window.NowMs() - nAt, 100);
    EXPECT_EQ(f.strStatus, "Data Transfer OK");
    EXPECT_EQ(f.Sent(), "echo\r");
    f.Step("echo\r\n\r\n=> ");
    EXPECT_EQ(f.Sent(), "erase 400E0000 4031ffff\r");
    EXPECT_EQ(f.strStatus, "Erasing Flash");
    f.Step("....");
    EXPECT_EQ(f.FlashStepNow(), 10);
    f.Step("... do");
    f.Step("ne\r\nErased 18 sectors\r\n=> ");
    EXPECT_EQ(f.FlashStepNow(), 11);
    EXPECT_EQ(f.strStatus, "Flash Erased");
    f.Step("echo\r\n\r\n=> ");
    EXPECT_EQ(f.Sent(), "echo\rcp.b 10000 400E0000 $(filesize) \r");
    // The earlier "done" is not seen again.
    f.Step("cp.b 10000 400E0000 $(filesize) \r\nCopy to Flash... ");
    EXPECT_EQ(f.FlashStepNow(), 12);
    f.Step("done\r\n=> ");
    EXPECT_EQ(f.strStatus, "Image copied to flash");
    f.Step("echo\r\n\r\n=> ");
    EXPECT_EQ(f.Sent(), "echo\rimi 400E0000\r");
    EXPECT_EQ(f.strStatus, "Verifying Flash");
    EXPECT_EQ(f.Step("   Verifying Checksum ... O"), IpFlashImage);
    EXPECT_EQ(f.Step("K\r\n=> "), IpNextImage);
    EXPECT_EQ(f.strStatus, "Flash write OK");
    EXPECT_EQ(f.FlashStepNow(), 5);
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
        f.SetFlashStep(c.nStep);
        EXPECT_EQ(f.Step(c.pszText), IpAbort) << c.pszBox;
        EXPECT_EQ(f.FlashStepNow(), 5);
        EXPECT_EQ(f.strStatus, c.pszStatus);
        auto boxes = f.window.Boxes();
        ASSERT_EQ(boxes.size(), 1u);
        EXPECT_EQ(boxes[0].strText, c.pszBox);
        EXPECT_EQ(boxes[0].icon, MsgIcon::Stop);
    }
}

TEST(FlashImageStep, ImageThatFailsToLoadAborts) {
    CStepFixture f;
    f.row.resourceName = "SREC_NONE";
    f.SetFlashStep(5);
    EXPECT_EQ(f.Step("=> "), IpAbort);
    EXPECT_EQ(f.FlashStepNow(), 5);
    EXPECT_EQ(f.strStatus, "Unable to load upgrade data");
    EXPECT_EQ(f.Sent(), "");
    EXPECT_TRUE(f.window.Boxes().empty());
}

TEST(SendIpLine, LongLineGoesOutInPiecesAndNeverPastTheImage) {
    CStepFixture f;
    // 200 bytes without a line feed, then an unterminated tail.
    const std::string text = std::string(200, 'A') + "\nBB";
    f.image.m_nImageSize = static_cast<int32_t>(text.size());
    f.image.m_pSendCursor = reinterpret_cast<const uint8_t*>(text.data());
    std::string sent;
    int nLines = 0;
    while (f.run.SendIpLine() == 0) {
        ++nLines;
        sent += f.Sent();
    }
    EXPECT_EQ(nLines, 3);
    EXPECT_EQ(sent, text);
    EXPECT_EQ(f.image.m_nBytesSent, static_cast<int32_t>(text.size()));
}

TEST(NextSelectedImage, LooksOnlyAfterTheRowAndStopsAtTheEnd) {
    CIpStepRig f;
    f.marks.selected[0] = 1;
    f.marks.selected[2] = 1;
    EXPECT_EQ(f.run.NextSelectedImage(&ImageTable[0]), &ImageTable[2]);
    EXPECT_EQ(f.run.NextSelectedImage(&ImageTable[2]), nullptr);
    f.marks.selected[3] = 1; // the mark is tested before the end mark
    EXPECT_EQ(f.run.NextSelectedImage(&ImageTable[2]), &ImageTable[3]);
}
