// The images in the build folder, checked with Debian's own tools: srecord's
// srec_info and srec_cat, and u-boot-tools' mkimage and dumpimage.
#include <gtest/gtest.h>

#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <regex>
#include <string>

#include "ExpectedImages.h"

namespace {

struct RunResult {
    int nExit = -1;
    std::string output; // stdout and stderr
};

RunResult RunTool(const std::string& strCommand) {
    RunResult result;
    FILE* pipe = popen((strCommand + " 2>&1").c_str(), "r");
    if (!pipe)
        return result;
    char buffer[4096];
    size_t n;
    while ((n = fread(buffer, 1, sizeof buffer, pipe)) > 0)
        result.output.append(buffer, n);
    int nStatus = pclose(pipe);
    result.nExit = WIFEXITED(nStatus) ? WEXITSTATUS(nStatus) : -1;
    return result;
}

std::string ImagePath(const char* pszName) {
    return std::string(KTR84_IMAGE_DIR) + "/" + pszName;
}

// A tool the test suite needs; scripts/deps.sh installs its package.
std::string Tool(const char* pszPath, const char* pszPackage) {
    std::string strPath = pszPath;
    if (strPath.empty() || strPath.find("NOTFOUND") != std::string::npos) {
        ADD_FAILURE() << "missing tool: install the Debian package " << pszPackage
                      << " (scripts/deps.sh does)";
        return {};
    }
    return strPath;
}

Blocks ListedRanges(const std::string& strOutput) {
    Blocks ranges;
    std::regex range(R"(([0-9A-F]{6,8}) - ([0-9A-F]{6,8}))");
    for (std::sregex_iterator it(strOutput.begin(), strOutput.end(), range), end; it != end; ++it)
        ranges.push_back({std::stoul((*it)[1], nullptr, 16), std::stoul((*it)[2], nullptr, 16)});
    return ranges;
}

class ThirdPartyTools : public ::testing::Test {
protected:
    void SetUp() override {
        m_dir = std::filesystem::temp_directory_path() / ("ktr84-fw-" + std::to_string(getpid()));
        std::filesystem::create_directories(m_dir);
    }
    void TearDown() override { std::filesystem::remove_all(m_dir); }

    // The image's data as one binary, through srec_cat.
    std::string ToBinary(const char* pszName) {
        std::string strOut = (m_dir / (std::string(pszName) + ".bin")).string();
        RunResult result = RunTool(Tool(SREC_CAT_PROGRAM, "srecord") + " " + ImagePath(pszName) +
                                   " -o " + strOut + " -binary");
        EXPECT_EQ(result.nExit, 0) << result.output;
        return strOut;
    }

    std::filesystem::path m_dir;
};

TEST_F(ThirdPartyTools, SrecInfoReadsEveryImageWithTheExpectedRanges) {
    std::string strSrecInfo = Tool(SREC_INFO_PROGRAM, "srecord");
    ASSERT_FALSE(strSrecInfo.empty());
    for (const ExpectedImage& expected : kImages) {
        SCOPED_TRACE(expected.pszName);
        RunResult result = RunTool(strSrecInfo + " " + ImagePath(expected.pszName));
        // srec_info refuses a bad checksum or a malformed record with an error.
        ASSERT_EQ(result.nExit, 0) << result.output;
        EXPECT_NE(result.output.find("Format: Motorola S-Record"), std::string::npos);
        EXPECT_NE(result.output.find("Execution Start Address: 00000000"), std::string::npos);
        Blocks ranges = ListedRanges(result.output);
        EXPECT_EQ(ranges, expected.blocks) << result.output;
        int64_t nBytes = 0;
        for (const auto& r : ranges)
            nBytes += r.second - r.first + 1;
        EXPECT_EQ(nBytes, expected.nDataBytes);
        // srec_info wraps its warning to the terminal's width.
        std::string strFlat;
        for (char c : result.output)
            if (c != '\n' && (c != ' ' || strFlat.empty() || strFlat.back() != ' '))
                strFlat += c;
        bool bWarnsOrder = strFlat.find("not in strictly ascending") != std::string::npos;
        EXPECT_EQ(bWarnsOrder, expected.nDataType == 3) << result.output;
    }
    EXPECT_NE(RunTool(strSrecInfo + " " + ImagePath("SREC_UBOOT")).output.find("\"u-boot.srec\""),
              std::string::npos);
    EXPECT_NE(RunTool(strSrecInfo + " " + ImagePath("SREC_KERNEL")).output.find("\"linux.srec\""),
              std::string::npos);
}

TEST_F(ThirdPartyTools, SrecCatGivesTheDataBytesOfTheIpImages) {
    for (const ExpectedImage& expected : kImages) {
        if (expected.nDataType != 2)
            continue;
        SCOPED_TRACE(expected.pszName);
        std::string strBin = ToBinary(expected.pszName);
        ASSERT_TRUE(std::filesystem::exists(strBin));
        EXPECT_EQ(int64_t(std::filesystem::file_size(strBin)), expected.nDataBytes);
    }
}

TEST_F(ThirdPartyTools, MkimageAndDumpimageConfirmTheUBootHeaders) {
    struct {
        const char* pszName;
        const char* pszType;
        const char* pszSize;
    } const cases[] = {
        {"SREC_KERNEL", "Linux Kernel Image (uncompressed)", "525268 Bytes"},
        {"SREC_FILESYSTEM", "Linux Filesystem Image (uncompressed)", "2031538 Bytes"}};
    std::string strMkimage = Tool(MKIMAGE_PROGRAM, "u-boot-tools");
    std::string strDumpimage = Tool(DUMPIMAGE_PROGRAM, "u-boot-tools");
    ASSERT_FALSE(strMkimage.empty() || strDumpimage.empty());
    for (const auto& c : cases) {
        SCOPED_TRACE(c.pszName);
        std::string strBin = ToBinary(c.pszName);
        // Both list a legacy image only when its magic, header CRC and data
        // CRC are right; otherwise they fall back to another format.
        for (const std::string& strTool : {strMkimage, strDumpimage}) {
            RunResult result = RunTool(strTool + " -l " + strBin);
            EXPECT_EQ(result.nExit, 0) << result.output;
            EXPECT_NE(result.output.find("Image Name:"), std::string::npos) << result.output;
            EXPECT_NE(result.output.find(c.pszType), std::string::npos) << result.output;
            EXPECT_NE(result.output.find(std::string("Data Size:    ") + c.pszSize),
                      std::string::npos)
                << result.output;
        }
        // One payload byte changed: the data CRC no longer holds.
        {
            std::fstream file(strBin, std::ios::in | std::ios::out | std::ios::binary);
            file.seekg(1000);
            char b = static_cast<char>(file.get());
            file.seekp(1000);
            file.put(static_cast<char>(b ^ 0x5A));
        }
        EXPECT_EQ(RunTool(strMkimage + " -l " + strBin).output.find("Image Name:"),
                  std::string::npos);
    }
}

} // namespace
