// What a run record keeps of an image: the first and last lines, the lines
// around what the module said, one summary; the echo never.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "common/Crc32.h"
#include "record/ImageThinning.h"

namespace {
// The lines as the record would have them, "tag text", stamps aside.
struct CCapture : CRecordLines {
    void WriteLine(int64_t nMs, const char* pszTag, std::string_view text, bool) override {
        lines.push_back(std::string(pszTag) + " " + std::string(text));
        stamps.push_back(nMs);
    }
    std::vector<std::string> lines;
    std::vector<int64_t> stamps;
};

// Image line n (from 1), as the IP run sends it ("\r\n") or the legacy run
// ("\r", the line feed dropped).
std::string ImageLine(int n, const char* pszEnd = "\r\n") {
    char sz[64];
    std::snprintf(sz, sizeof sz, "S214%06X00112233445566778899AABBCCDDEEFF00%s", n * 16, pszEnd);
    return sz;
}

std::string Sent(int n, const char* pszEnd = "\r\n") {
    return "sent " + ImageLine(n, pszEnd);
}

// The summary's start, for images of lines 1..nLines, nLeft of them left out.
std::string Summary(int nLines, int nLeft, const char* pszEnd = "\r\n") {
    std::string strBytes;
    for (int n = 1; n <= nLines; ++n)
        strBytes += ImageLine(n, pszEnd);
    char sz[200];
    std::snprintf(sz, sizeof sz, "image %d lines, %zu bytes sent, CRC-32 %08x; left out: %d lines",
                  nLines, strBytes.size(),
                  Crc32(reinterpret_cast<const uint8_t*>(strBytes.data()), strBytes.size()), nLeft);
    return sz;
}

bool StartsWith(const std::string& strText, const std::string& strStart) {
    return strText.compare(0, strStart.size(), strStart) == 0;
}
} // namespace

TEST(ImageThinning, TellsImageLinesAndEchoByWhatTheyAre) {
    EXPECT_TRUE(CImageThinning::IsImageLine("S00600004844521B\r\n"));
    EXPECT_TRUE(CImageThinning::IsImageLine("S9030000FC\r"));
    EXPECT_TRUE(CImageThinning::IsImageLine("S804000000FB\n"));
    EXPECT_TRUE(CImageThinning::IsImageLine("S214000000270519"));
    EXPECT_FALSE(CImageThinning::IsImageLine("\r\r"));
    EXPECT_FALSE(CImageThinning::IsImageLine("S\r"));
    EXPECT_FALSE(CImageThinning::IsImageLine("setenv baudrate 115200\r"));
    EXPECT_FALSE(CImageThinning::IsImageLine("S2140000 00\r\n"));
    EXPECT_FALSE(CImageThinning::IsImageLine("SX1234\r"));
    EXPECT_FALSE(CImageThinning::IsImageLine("S214\r\n00"));
    EXPECT_TRUE(CImageThinning::IsEcho("\r\nS2140000206B74\r\r\nS2140"));
    EXPECT_TRUE(CImageThinning::IsEcho("..... "));
    EXPECT_FALSE(CImageThinning::IsEcho("S214\r\n## Ready"));
    EXPECT_FALSE(CImageThinning::IsEcho("\r\nFAILURE: bad S-record at line 3\r\n"));
    EXPECT_EQ(CImageThinning::EchoedLines("0FC\r\r\nS9030000FC\r\r\n## First"), 19u);
    EXPECT_EQ(CImageThinning::EchoedLines("\r\nFAILURE"), 0u);
    EXPECT_EQ(CImageThinning::EchoedLines("S9030000FC## First"), 0u);
    EXPECT_EQ(CImageThinning::EchoedLines("\r\n\r\nS21400## First"), 0u);
}

// Nine lines, fewer than ten: every one is kept, none said to be left out,
// and the echo is not.
TEST(ImageThinning, AnImageOfFewerThanTenLinesKeepsAll) {
    CCapture c;
    CImageThinning thinning(c);
    for (int n = 1; n <= 9; ++n) {
        EXPECT_TRUE(thinning.Sent(n, ImageLine(n)));
        const std::string strEcho = "\r\n" + ImageLine(n);
        EXPECT_EQ(thinning.Received(n, strEcho), strEcho.size());
    }
    EXPECT_FALSE(thinning.Sent(10, "\r\r"));
    std::vector<std::string> want;
    for (int n = 1; n <= 9; ++n)
        want.push_back(Sent(n));
    ASSERT_EQ(c.lines.size(), 10u);
    EXPECT_EQ(std::vector<std::string>(c.lines.begin(), c.lines.end() - 1), want);
    EXPECT_TRUE(StartsWith(c.lines.back(), Summary(9, 0))) << c.lines.back();
    EXPECT_EQ(c.stamps, (std::vector<int64_t>{1, 2, 3, 4, 5, 6, 7, 8, 9, 10}));
    EXPECT_FALSE(thinning.Streaming());
}

// An IP module's complaint in the middle of an echoed image keeps the five
// lines before it and the five after; where lines were left out a line says
// how many. The statuses held with the lines go with them.
TEST(ImageThinning, AComplaintMidImageKeepsItsNeighbours) {
    CCapture c;
    CImageThinning thinning(c);
    for (int n = 1; n <= 100; ++n) {
        // The first status comes before the image: the caller's.
        if (n % 10 == 1) {
            EXPECT_EQ(thinning.Status(n, "Uploading " + std::to_string(n / 10) + " of 9"), n > 1);
        }
        ASSERT_TRUE(thinning.Sent(n, ImageLine(n)));
        const std::string strEcho = "\r\n" + ImageLine(n);
        // The echoed lines before the module's words are the image's.
        const std::string strComplaint = "\r\nS214\r\nbad record\r\n=> ";
        EXPECT_EQ(thinning.Received(n, n == 50 ? strComplaint : strEcho),
                  n == 50 ? 8 : strEcho.size());
    }
    EXPECT_TRUE(thinning.Status(100, "File Transfer complete"));
    EXPECT_FALSE(thinning.Sent(101, "\r\r"));

    std::vector<std::string> want;
    for (int n = 1; n <= 5; ++n)
        want.push_back(Sent(n));
    want.push_back("skipped 40 image lines left out (" + std::to_string(40 * ImageLine(1).size()) +
                   " bytes, 4 statuses)");
    for (int n = 46; n <= 50; ++n)
        want.push_back(Sent(n));
    // The complaint is the caller's to write, after these.
    for (int n = 51; n <= 55; ++n) {
        if (n == 51)
            want.push_back("status Uploading 5 of 9");
        want.push_back(Sent(n));
    }
    want.push_back("skipped 40 image lines left out (" + std::to_string(40 * ImageLine(1).size()) +
                   " bytes, 4 statuses)");
    for (int n = 96; n <= 100; ++n)
        want.push_back(Sent(n));
    want.push_back("status File Transfer complete");
    ASSERT_EQ(c.lines.size(), want.size() + 1);
    EXPECT_EQ(std::vector<std::string>(c.lines.begin(), c.lines.end() - 1), want);
    EXPECT_TRUE(StartsWith(c.lines.back(), Summary(100, 80) + ", 8 statuses, ")) << c.lines.back();
    EXPECT_TRUE(c.lines.back().ends_with(std::to_string(99 * (2 + ImageLine(1).size()) + 8) +
                                         " bytes of echo"))
        << c.lines.back();
    // The "skipped" line is stamped with the last line it stands for.
    EXPECT_EQ(c.stamps[5], 45);
}

// The legacy boot loader is silent while the image streams, and reports a
// bad record; the run then sends 'r', which ends the image.
TEST(ImageThinning, ALegacyFailureMidStreamKeepsItsNeighbours) {
    CCapture c;
    CImageThinning thinning(c);
    for (int n = 1; n <= 40; ++n) {
        ASSERT_TRUE(thinning.Sent(n, ImageLine(n, "\r")));
        if (n == 30) {
            // Its line ends are its own: nothing of them is taken.
            EXPECT_EQ(thinning.Received(n, "\r\nFAILURE: bad S-record at line 27\r\n"), 0u);
        }
    }
    EXPECT_TRUE(thinning.Status(41, "Transfer failed!"));
    EXPECT_FALSE(thinning.Sent(42, "r"));

    std::vector<std::string> want;
    for (int n = 1; n <= 5; ++n)
        want.push_back(Sent(n, "\r"));
    want.push_back("skipped 20 image lines left out (" +
                   std::to_string(20 * ImageLine(1, "\r").size()) + " bytes, 0 statuses)");
    for (int n = 26; n <= 35; ++n)
        want.push_back(Sent(n, "\r"));
    for (int n = 36; n <= 40; ++n)
        want.push_back(Sent(n, "\r"));
    want.push_back("status Transfer failed!");
    ASSERT_EQ(c.lines.size(), want.size() + 1);
    EXPECT_EQ(std::vector<std::string>(c.lines.begin(), c.lines.end() - 1), want);
    EXPECT_EQ(c.lines.back(), Summary(40, 20, "\r") + ", 0 statuses, 0 bytes of echo");
}

// The echo that comes after the last line (the line's queues held it) is the
// image's too, up to the module's own words; a line says how much was left
// out. A new run forgets what it had.
TEST(ImageThinning, TheEchoAfterTheImageIsLeftOutUpToTheModulesWords) {
    CCapture c;
    CImageThinning thinning(c);
    for (int n = 1; n <= 12; ++n)
        ASSERT_TRUE(thinning.Sent(n, ImageLine(n)));
    EXPECT_TRUE(thinning.Received(12, "\r\n" + ImageLine(1)));
    EXPECT_FALSE(thinning.Sent(13, "\r\r"));
    const size_t nSummary = c.lines.size();
    EXPECT_FALSE(thinning.Sent(14, "imi 10000\r"));
    const std::string strEcho1 = "\r\n" + ImageLine(2), strEcho2 = "\r\nS804000000FB\r\r\n";
    EXPECT_TRUE(thinning.TakesEcho(15, strEcho1));
    EXPECT_TRUE(thinning.TakesEcho(16, strEcho2));
    const std::string strLast = "15FA\r\r\nS9030000FC\r\r\n", strWords = "## First Load Addr\r\n";
    EXPECT_FALSE(thinning.TakesEcho(17, strLast + strWords));
    EXPECT_EQ(thinning.Received(17, strLast + strWords), strLast.size());
    ASSERT_EQ(c.lines.size(), nSummary + 1);
    EXPECT_EQ(c.lines.back(),
              "skipped " + std::to_string(strEcho1.size() + strEcho2.size() + strLast.size()) +
                  " bytes of the image's echo after its end");
    EXPECT_EQ(c.stamps.back(), 17);
    // The echo is over: what looks like echo now is the module's.
    EXPECT_FALSE(thinning.TakesEcho(18, "\r\n"));

    // An image whose run ends while it streams ends with its summary; after
    // Reset nothing is held or said.
    c.lines.clear();
    for (int n = 1; n <= 20; ++n)
        thinning.Sent(n, ImageLine(n));
    thinning.End(21);
    EXPECT_EQ(c.lines.size(), 5u + 1 + 5 + 1);
    EXPECT_TRUE(StartsWith(c.lines.back(), Summary(20, 10))) << c.lines.back();
    c.lines.clear();
    for (int n = 1; n <= 20; ++n)
        thinning.Sent(n, ImageLine(n));
    thinning.Reset();
    thinning.End(21);
    EXPECT_EQ(c.lines.size(), 5u);
}
