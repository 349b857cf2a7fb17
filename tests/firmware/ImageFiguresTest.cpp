// Every embedded image, read through LoadImage, against the package's figures.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <string>
#include <vector>

#include "ExpectedImages.h"
#include "ImageFacts.h"
#include "common/Crc32.h"
#include "firmware/ImageCursor.h"
#include "tools/UImageHeader.h"

namespace {

class ImageFigures : public ::testing::TestWithParam<ExpectedImage> {
protected:
    CImageCursor m_dlg; // the send position, as the dialog holds it
};

TEST_P(ImageFigures, LoadedImageHasThePackageFigures) {
    const ExpectedImage& expected = GetParam();
    m_dlg.m_nBytesSent = 777;
    ASSERT_TRUE(m_dlg.LoadImage(expected.pszName));
    EXPECT_EQ(m_dlg.m_nImageSize, expected.nSize);
    EXPECT_EQ(m_dlg.m_nBytesSent, 0);
    ASSERT_NE(m_dlg.m_pSendCursor, nullptr);
    EXPECT_EQ(m_dlg.m_pSendCursor[0], 'S');
    EXPECT_EQ(m_dlg.m_pSendCursor[1], '0');
    EXPECT_EQ(m_dlg.m_pSendCursor[m_dlg.m_nImageSize - 1], 10);

    std::string strProgress;
    m_dlg.ProgressText(strProgress);
    EXPECT_EQ(strProgress, expected.pszProgressAtLoad);

    std::string_view text(reinterpret_cast<const char*>(m_dlg.m_pSendCursor), m_dlg.m_nImageSize);
    ImageFacts facts = MeasureImage(text);
    EXPECT_TRUE(facts.bAllParsed);
    EXPECT_EQ(facts.nLines, expected.nLines);
    EXPECT_EQ(facts.nLongestLine, expected.nLongestLine);
    EXPECT_EQ(facts.nDataRecords, expected.nLines - 2);
    EXPECT_EQ(facts.nDataBytes, expected.nDataBytes);
    EXPECT_EQ(facts.types, (std::vector<int>{0, expected.nDataType, expected.nTerminatorType}));
    EXPECT_EQ(facts.nStartAddress, 0u);
    EXPECT_EQ(facts.recordSizes.rbegin()->first, expected.nRecordBytes);
    EXPECT_EQ(facts.blocks, expected.blocks);
    EXPECT_EQ(text.find_first_not_of("S0123456789ABCDEF\r\n"), std::string_view::npos);
}

INSTANTIATE_TEST_SUITE_P(Package, ImageFigures, ::testing::ValuesIn(kImages),
                         [](const auto& info) { return std::string(info.param.pszName); });

// The two legacy merge files: one header (seven zero bytes, then 07 FA F2),
// records not in address order, full records of 20 bytes with a few shorter.
TEST_F(ImageFigures, LegacyMergeFilesKeepTheirLinkerOrder) {
    for (const char* pszName : {"SREC_TRAN", "SREC_ADI_CTRL"}) {
        SCOPED_TRACE(pszName);
        ASSERT_TRUE(m_dlg.LoadImage(pszName));
        ImageFacts facts = MeasureImage(
            {reinterpret_cast<const char*>(m_dlg.m_pSendCursor), size_t(m_dlg.m_nImageSize)});
        EXPECT_EQ(facts.header, (std::vector<uint8_t>{0, 0, 0, 0, 0, 0, 0, 0x07, 0xFA, 0xF2}));
        EXPECT_FALSE(facts.bAscending);
        int nShorter = facts.nDataRecords - facts.recordSizes[20];
        EXPECT_GT(nShorter, 0);
        EXPECT_LT(nShorter, 20);
    }
}

// The IP controller's images run from address 0 in 16-byte records; only the
// last is shorter.
TEST_F(ImageFigures, IpImagesAreContiguousSixteenByteRecords) {
    struct {
        const char* pszName;
        int nLast;
        std::string strHeader;
    } const cases[] = {{"SREC_UBOOT", 8, "u-boot.srec"},
                       {"SREC_KERNEL", 4, "linux.srec"},
                       {"SREC_FILESYSTEM", 2, ""}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.pszName);
        ASSERT_TRUE(m_dlg.LoadImage(c.pszName));
        ImageFacts facts = MeasureImage(
            {reinterpret_cast<const char*>(m_dlg.m_pSendCursor), size_t(m_dlg.m_nImageSize)});
        EXPECT_TRUE(facts.bAscending);
        EXPECT_EQ(facts.recordSizes.size(), 2u);
        EXPECT_EQ(facts.recordSizes[16], facts.nDataRecords - 1);
        EXPECT_EQ(facts.nLastRecordSize, c.nLast);
        EXPECT_EQ(int64_t(facts.binary.size()), facts.nDataBytes);
        std::string strHeader(facts.header.begin(), facts.header.end());
        if (!c.strHeader.empty()) {
            EXPECT_EQ(strHeader, c.strHeader);
        } else {
            EXPECT_EQ(strHeader.size(), 40u);
            EXPECT_EQ(strHeader[0], '/');
        }
        ASSERT_GE(facts.binary.size(), kUImageHeaderSize);
        EXPECT_EQ(ReadBigEndian32(facts.binary.data()), kUImageMagic);
    }
}

std::vector<uint8_t> LoadedBinary(CImageCursor& dlg, const char* pszName) {
    EXPECT_TRUE(dlg.LoadImage(pszName));
    return MeasureImage(
               {reinterpret_cast<const char*>(dlg.m_pSendCursor), size_t(dlg.m_nImageSize)})
        .binary;
}

TEST_F(ImageFigures, KernelAndFilesystemAreValidLegacyUBootImages) {
    struct {
        const char* pszName;
        std::vector<uint8_t> types;
    } const cases[] = {{"SREC_KERNEL", {uimage::kTypeKernel}},
                       {"SREC_FILESYSTEM", {uimage::kTypeRamdisk, uimage::kTypeFilesystem}}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.pszName);
        std::vector<uint8_t> bin = LoadedBinary(m_dlg, c.pszName);
        ASSERT_GT(bin.size(), kUImageHeaderSize);
        uint8_t header[kUImageHeaderSize];
        std::memcpy(header, bin.data(), sizeof header);
        uint32_t nHeaderCrc = ReadBigEndian32(header + 4);
        std::memset(header + 4, 0, 4);
        EXPECT_EQ(Crc32(header, sizeof header), nHeaderCrc);
        EXPECT_EQ(ReadBigEndian32(header + 12), bin.size() - kUImageHeaderSize);
        EXPECT_EQ(Crc32(bin.data() + kUImageHeaderSize, bin.size() - kUImageHeaderSize),
                  ReadBigEndian32(header + 24));
        EXPECT_EQ(header[28], uimage::kOsLinux);
        EXPECT_TRUE(header[29] == uimage::kArchPowerPc || header[29] == uimage::kArchArm);
        EXPECT_TRUE(std::find(c.types.begin(), c.types.end(), header[30]) != c.types.end());
        EXPECT_EQ(header[31], uimage::kCompressionNone);
        std::string strName(reinterpret_cast<const char*>(header + 32), 32);
        EXPECT_NE(strName.find('\0'), std::string::npos);
        EXPECT_GT(strName.find('\0'), 0u);
    }
}

TEST_F(ImageFigures, BootLoaderStartsWithMagicAndVersionText) {
    std::vector<uint8_t> bin = LoadedBinary(m_dlg, "SREC_UBOOT");
    ASSERT_GT(bin.size(), 64u);
    EXPECT_EQ(ReadBigEndian32(bin.data()), kUImageMagic);
    std::string strVersion(reinterpret_cast<const char*>(bin.data() + 4));
    EXPECT_EQ(strVersion.rfind("U-Boot ", 0), 0u) << strVersion;
    EXPECT_GT(strVersion.size(), 10u);
}

} // namespace
