// Loading an image into the send position, streaming it, and the progress text.
#include <gtest/gtest.h>

#include <cstring>
#include <fstream>
#include <iterator>
#include <string>

#include "ImageFacts.h"
#include "firmware/EmbeddedImages.h"
#include "firmware/ImageCursor.h"
#include "firmware/ImageTable.h"

namespace {

class LoadImageTest : public ::testing::Test {
protected:
    CImageCursor m_dlg; // the send position, as the dialog holds it
};

TEST_F(LoadImageTest, UnknownNameLeavesTheSendPositionAsItWas) {
    static const uint8_t kOld[] = "S0";
    for (const char* pszName : {"SREC_NONE", "srec_tran", "SREC_TRAN ", "", "SREC"}) {
        SCOPED_TRACE(pszName);
        m_dlg.m_nImageSize = 4711;
        m_dlg.m_nBytesSent = 815;
        m_dlg.m_pSendCursor = kOld;
        EXPECT_FALSE(m_dlg.LoadImage(pszName));
        EXPECT_EQ(m_dlg.m_nImageSize, 4711);
        EXPECT_EQ(m_dlg.m_nBytesSent, 815);
        EXPECT_EQ(m_dlg.m_pSendCursor, kOld);
    }
    EXPECT_FALSE(m_dlg.LoadImage(nullptr));
    EXPECT_EQ(m_dlg.m_pSendCursor, kOld);
}

TEST_F(LoadImageTest, LoadingPointsIntoTheExecutableWithoutCopying) {
    for (const char* pszName :
         {"SREC_TRAN", "SREC_ADI_CTRL", "SREC_UBOOT", "SREC_KERNEL", "SREC_FILESYSTEM"}) {
        SCOPED_TRACE(pszName);
        const EmbeddedImage* pImage = FindEmbeddedImage(pszName);
        ASSERT_NE(pImage, nullptr);
        ASSERT_TRUE(m_dlg.LoadImage(pszName));
        EXPECT_EQ(m_dlg.m_pSendCursor, pImage->pData);
        EXPECT_EQ(m_dlg.m_nImageSize, pImage->nSize);
        // The bytes linked in are the validated files kept in the build folder.
        std::ifstream in(std::string(KTR84_IMAGE_DIR) + "/" + pszName, std::ios::binary);
        std::string file((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
        ASSERT_EQ(file.size(), size_t(pImage->nSize));
        EXPECT_EQ(std::memcmp(file.data(), pImage->pData, file.size()), 0);
    }
    EXPECT_EQ(FindEmbeddedImage("SREC_NONE"), nullptr);
}

TEST_F(LoadImageTest, ProgressTextCountsWholeKilobytes) {
    std::string strText = "left over from the last line";
    m_dlg.m_nImageSize = 380774;
    m_dlg.m_nBytesSent = 1023;
    m_dlg.ProgressText(strText);
    EXPECT_EQ(strText, "Uploading 0 of 371 kilobytes");
    m_dlg.m_nBytesSent = 1024;
    m_dlg.ProgressText(strText);
    EXPECT_EQ(strText, "Uploading 1 of 371 kilobytes");
    m_dlg.m_nImageSize = 5840974;
    m_dlg.m_nBytesSent = 122880;
    m_dlg.ProgressText(strText);
    EXPECT_EQ(strText, "Uploading 120 of 5704 kilobytes");
}

// A sender's view: one line per call up to and including the byte 10, the
// progress text shown before each line.
TEST_F(LoadImageTest, StreamingTheBootLoaderLineByLineSendsItExactly) {
    ASSERT_TRUE(m_dlg.LoadImage("SREC_UBOOT"));
    const uint8_t* pEnd = m_dlg.m_pSendCursor + m_dlg.m_nImageSize;
    int32_t nLines = 0;
    size_t nLongest = 0;
    std::string strFirst, strLast;
    while (m_dlg.m_nBytesSent < m_dlg.m_nImageSize) {
        m_dlg.ProgressText(strLast);
        if (nLines == 0)
            strFirst = strLast;
        const void* pLf = std::memchr(m_dlg.m_pSendCursor, 10, pEnd - m_dlg.m_pSendCursor);
        ASSERT_NE(pLf, nullptr) << "line " << nLines + 1 << " has no end inside the image";
        size_t nLen = static_cast<const uint8_t*>(pLf) - m_dlg.m_pSendCursor + 1;
        nLongest = std::max(nLongest, nLen);
        m_dlg.m_pSendCursor += nLen;
        m_dlg.m_nBytesSent += static_cast<int32_t>(nLen);
        ++nLines;
    }
    EXPECT_EQ(nLines, 8279);
    EXPECT_EQ(m_dlg.m_nBytesSent, 380774);
    EXPECT_EQ(m_dlg.m_pSendCursor, pEnd);
    EXPECT_LT(nLongest, 128u);
    EXPECT_EQ(strFirst, "Uploading 0 of 371 kilobytes");
    // Built before each line: the last one shows the bytes before it.
    EXPECT_EQ(strLast, "Uploading 371 of 371 kilobytes");

    // A new load starts the same image over.
    ASSERT_TRUE(m_dlg.LoadImage("SREC_UBOOT"));
    EXPECT_EQ(m_dlg.m_nBytesSent, 0);
    EXPECT_EQ(m_dlg.m_pSendCursor, pEnd - 380774);
}

// The module's flash map, in 128 KiB NOR sectors from 0x40000000: the boot
// monitor in the first two, the kernel in the next five, the file system in
// the eighteen after those. The texts are typed into the monitor as they are.
TEST(ImageTableTest, RowsAndFlashRegionsHoldTheirImages) {
    struct {
        int32_t index;
        const char* pszStart;
        const char* pszEnd;
        const char* pszName;
        int64_t nRegionBytes;
    } const rows[] = {{0, "40000000", "4003ffff", "SREC_UBOOT", 262144},       // sectors 0-1
                      {1, "40040000", "400dffff", "SREC_KERNEL", 655360},      // sectors 2-6
                      {2, "400E0000", "4031ffff", "SREC_FILESYSTEM", 2359296}, // sectors 7-24
                      {-1, "", "", "", 0}};
    for (int i = 0; i < 4; ++i) {
        const UpgradeImage& row = ImageTable[i];
        SCOPED_TRACE(i);
        EXPECT_EQ(row.index, rows[i].index);
        EXPECT_STREQ(row.flashStart, rows[i].pszStart);
        EXPECT_STREQ(row.flashEnd, rows[i].pszEnd);
        EXPECT_STREQ(row.resourceName, rows[i].pszName);
        if (row.index < 0)
            continue;
        const EmbeddedImage* pImage = FindEmbeddedImage(row.resourceName);
        ASSERT_NE(pImage, nullptr);
        ImageFacts facts =
            MeasureImage({reinterpret_cast<const char*>(pImage->pData), size_t(pImage->nSize)});
        EXPECT_LE(facts.nDataBytes, rows[i].nRegionBytes);
    }
}

} // namespace
