// The merge-file upload and the end of the run, from the streaming state on,
// with test images whose shape the test chooses.
#include <gtest/gtest.h>

#include "tests/legacy/LegacyRig.h"
#include "upgrade/legacy/LegacyRun.h"

namespace {
// An image held in a block of exactly its size, so a read past its end is
// caught by the address sanitizer.
struct CTestImage {
    explicit CTestImage(const std::string& strText)
        : pBytes(new uint8_t[strText.size()]), nSize(static_cast<int32_t>(strText.size())) {
        std::copy(strText.begin(), strText.end(), pBytes.get());
    }
    std::unique_ptr<uint8_t[]> pBytes;
    int32_t nSize;
};

std::string Line(int n, size_t nLength) {
    std::string strLine = "S3" + std::to_string(1000 + n);
    strLine.resize(nLength - 1, 'A');
    return strLine + "\r";
}

// nLines records with CR LF; the line without its LF is added to *pSent.
std::string Image(int nLines, std::string* pSent) {
    std::string strImage;
    for (int i = 0; i < nLines; ++i) {
        const std::string strLine = Line(i, i % 7 == 3 ? 63 : 30 + i % 20);
        strImage += strLine + "\n";
        *pSent += strLine;
    }
    return strImage;
}

// Opens the line and runs the legacy loop from state nState with the image.
void RunFrom(CLegacyRig& rig, LegacyUpgradeState state, const CTestImage& image) {
    rig.dlg.m_comm.m_strPort = rig.module.Path();
    rig.dlg.m_comm.m_nBaud = 115200;
    rig.dlg.m_comm.CreatePortEvents();
    ASSERT_TRUE(rig.dlg.m_comm.Connect());
    CImageCursor& cursor = rig.dlg.m_lasting.m_image;
    cursor.m_pSendCursor = image.pBytes.get();
    cursor.m_nImageSize = image.nSize;
    cursor.m_nBytesSent = 0;
    CLegacyRun run(rig.dlg.RunContext(), rig.Memory(), rig.dlg.m_lasting.m_matcher,
                   static_cast<ModuleKind>(rig.dlg.m_nModuleKind));
    run.Run(state);
    rig.module.Service(rig.window.NowMs());
}

std::vector<std::string> TextsAfter(const CScriptedWindow& window, const std::string& strFrom) {
    std::vector<std::string> out;
    bool bOn = false;
    for (const auto& e : window.events) {
        bOn = bOn || e.strText == strFrom;
        if (bOn && (out.empty() || out.back() != e.strText))
            out.push_back(e.strText);
    }
    return out;
}

TEST(MergeUpload, SendsEveryLineWithoutItsLineFeedThenEndsAndReboots) {
    std::string strSent;
    CTestImage image(Image(400, &strSent)); // more passes than the silence limit
    CLegacyRig rig(Controller);
    rig.module.Expect("\r\r", "\r\nWriting flash... done\r\nMERGE FILE MENU\r\n");
    rig.module.Expect("r\r", "\r\nRebooting\r\n");
    rig.module.Expect("r\r", "\r\n");
    RunFrom(rig, SendImage, image);

    EXPECT_EQ(rig.module.received, strSent + "\r\rr\rr\r");
    EXPECT_EQ(rig.dlg.m_lasting.m_image.m_nBytesSent, image.nSize);
    const std::string strKb = std::to_string(image.nSize / 1024);
    EXPECT_EQ(
        TextsAfter(rig.window, "Uploading " + strKb + " of " + strKb + " kilobytes"),
        (std::vector<std::string>{"Uploading " + strKb + " of " + strKb + " kilobytes",
                                  "File Transfer complete", "Overwriting FLASH with new code...",
                                  "File Transfer Complete!", "Rebooting Controller...",
                                  "Rebooting Controller......", "Upload Complete!", "Idle"}));
    EXPECT_EQ(rig.TimeOf("Overwriting FLASH with new code...") -
                  rig.TimeOf("File Transfer complete"),
              4000);
    EXPECT_EQ(rig.window.ProgressPos(), 0);
    EXPECT_EQ(rig.window.ProgressUpper(), image.nSize);
    EXPECT_GE(rig.window.PumpCount(), 400);
    EXPECT_EQ(rig.dlg.m_comm.m_bConnected, 0);
}

TEST(MergeUpload, FailureReportedWhileStreamingStopsTheLinesAndFailsTheRun) {
    std::string strSent;
    CTestImage image(Image(200, &strSent));
    CLegacyRig rig(Transceiver);
    // The report arrives split over two polls while lines go out.
    int nLines = 0;
    rig.module.onData = [&](CPtyModule& m, const std::string& strNew) {
        for (char c : strNew)
            if (c == '\r' && ++nLines == 20)
                m.SayApart("\r\nFAI");
            else if (c == '\r' && nLines == 21)
                m.SayApart("LURE\r\n");
    };
    rig.module.Expect("r\r", "\r\nMERGE FILE MENU\r\n");
    rig.module.Expect("r\r", "\r\nRebooting\r\n");
    rig.module.Expect("r\r", "\r\n");
    RunFrom(rig, SendImage, image);

    const size_t nStop = rig.module.received.find("r\r");
    ASSERT_NE(nStop, std::string::npos);
    // Lines stop once the report is complete; no end-of-upload CRs.
    EXPECT_EQ(strSent.compare(0, nStop, rig.module.received, 0, nStop), 0);
    EXPECT_LT(nStop, strSent.size() / 2);
    EXPECT_EQ(rig.module.received.substr(nStop), "r\rr\rr\r");
    EXPECT_EQ(rig.Memory().m_bUploadFailed, 1);
    EXPECT_EQ(TextsAfter(rig.window, "Transfer failed!"),
              (std::vector<std::string>{"Transfer failed!", "File Transfer Complete!",
                                        "Rebooting Transceiver...", "Rebooting Transceiver......",
                                        "Upload Failed!", "Upload Failed"}));
    EXPECT_EQ(rig.window.Boxes().back().icon, MsgIcon::Stop);
    EXPECT_EQ(rig.dlg.m_comm.m_bConnected, 0);
}

TEST(MergeUpload, FailureReportedWhileWritingFlashFailsTheRun) {
    std::string strSent;
    CTestImage image(Image(10, &strSent));
    CLegacyRig rig(Controller);
    rig.module.Expect("\r\r", "\r\nWriting flash... FAI");
    rig.module.Expect("", "LURE\r\nMERGE FILE MENU\r\n", 500);
    rig.module.Expect("r\r", "\r\nRebooting\r\n");
    rig.module.Expect("r\r", "\r\n");
    RunFrom(rig, SendImage, image);

    EXPECT_EQ(rig.module.received, strSent + "\r\rr\rr\r");
    EXPECT_EQ(rig.window.Boxes().back().strText, "Upload Failed!");
    EXPECT_EQ(rig.window.Statuses().back(), "Upload Failed");
}

TEST(MergeUpload, MalformedImageLinesAreRefusedWithoutOverrunAndFailTheRun) {
    const std::string strGood = Line(1, 40) + "\n" + Line(2, 63) + "\n";
    const std::string strGoodSent = Line(1, 40) + Line(2, 63);
    for (const std::string& strBad : {Line(3, 64) + "\n" + Line(4, 20) + "\n", // no room for NUL
                                      Line(3, 300) + "\n",                     // far too long
                                      Line(3, 20)}) {                          // no line feed
        CTestImage image(strGood + strBad);
        CLegacyRig rig(Transceiver);
        RunFrom(rig, SendImage, image);
        // Nothing of the bad line, nor the end of the upload, goes out.
        EXPECT_EQ(rig.module.received, strGoodSent);
        EXPECT_EQ(rig.dlg.m_lasting.m_image.m_nBytesSent, static_cast<int32_t>(strGood.size()));
        EXPECT_EQ(
            TextsAfter(rig.window, "Transfer failed!"),
            (std::vector<std::string>{"Transfer failed!", "Upload Failed!", "Upload Failed"}));
        EXPECT_EQ(rig.dlg.m_comm.m_bConnected, 0);
    }
}

TEST(Silence, StreamingNeverTimesOutButTheFlashWriteWaitDoes) {
    std::string strSent;
    CTestImage image(Image(400, &strSent));
    CLegacyRig rig(Transceiver);
    RunFrom(rig, SendImage, image); // the module never says a word
    EXPECT_EQ(rig.module.received, strSent + "\r\r");
    EXPECT_EQ(
        TextsAfter(rig.window, "Overwriting FLASH with new code..."),
        (std::vector<std::string>{"Overwriting FLASH with new code...",
                                  "Connection not Established", "Unable to Connect to Card"}));
    // The progress bar keeps its position.
    EXPECT_EQ(rig.window.ProgressPos(), image.nSize);
    EXPECT_EQ(rig.dlg.m_comm.m_bConnected, 0);
}
} // namespace
