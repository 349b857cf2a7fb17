// The build-time image check: what it refuses, with the line and the reason.
#include <gtest/gtest.h>

#include <sys/wait.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "common/Srec.h"
#include "tools/SrecValidator.h"
#include "tools/StandInImages.h"

namespace {

// S0 "test", three S2 records of 16 bytes, S8: lines 1 to 5.
std::string SmallImage() {
    std::string text;
    AppendSrecRecord(text, 0, 0, reinterpret_cast<const uint8_t*>("test"), 4);
    uint8_t data[16];
    for (uint32_t a = 0; a < 48; a += 16) {
        for (int i = 0; i < 16; ++i)
            data[i] = static_cast<uint8_t>(a + i);
        AppendSrecRecord(text, 2, a, data, 16);
    }
    AppendSrecRecord(text, 8, 0, nullptr, 0);
    return text;
}

// The start of line n (1-based) in text.
size_t LineStart(const std::string& text, int n) {
    size_t nPos = 0;
    for (int i = 1; i < n; ++i)
        nPos = text.find('\n', nPos) + 1;
    return nPos;
}

std::string ReplaceLine(std::string text, int n, const std::string& line) {
    size_t nStart = LineStart(text, n);
    return text.replace(nStart, text.find('\n', nStart) + 1 - nStart, line);
}

SrecVerdict Check(const std::string& text, int32_t nMaxLine = kIpMaxLine) {
    return ValidateSrecImage(reinterpret_cast<const uint8_t*>(text.data()), text.size(), nMaxLine);
}

TEST(ValidatorTest, AcceptsAWellFormedImageAndEveryStandIn) {
    EXPECT_TRUE(Check(SmallImage()).bOk) << Check(SmallImage()).strReason;
    for (const char* pszName : kImageNames) {
        std::string text = BuildStandInImage(pszName);
        SrecVerdict verdict = Check(text, SenderLineLimit(pszName));
        EXPECT_TRUE(verdict.bOk) << pszName << ":" << verdict.nLine << ": " << verdict.strReason;
    }
}

struct Refusal {
    const char* pszWhat;
    std::string text;
    int32_t nMaxLine;
    int32_t nLine;
    const char* pszReason;
};

std::vector<Refusal> Refusals() {
    const std::string good = SmallImage();
    std::string badSum = good;
    size_t nSum = LineStart(good, 4) - 3; // last checksum digit of line 3
    badSum[nSum] = badSum[nSum] == '0' ? '1' : '0';
    std::string noCr = good;
    noCr.erase(LineStart(good, 3) - 2, 1);
    std::string noLineEnd = good.substr(0, good.size() - 2);
    std::string lowerCase = good;
    lowerCase[LineStart(good, 2) + 10] = 'a';
    std::string wide;
    uint8_t data[24] = {};
    AppendSrecRecord(wide, 3, 0x02820000, data, 24); // 64 bytes with CR LF
    std::string terminator;
    AppendSrecRecord(terminator, 9, 0, nullptr, 0);
    std::string s1;
    AppendSrecRecord(s1, 1, 0x30, data, 16);
    return {
        {"bad checksum", badSum, kIpMaxLine, 3, "bad checksum"},
        {"missing CR", noCr, kIpMaxLine, 2, "without CR"},
        {"last line without CR LF", noLineEnd, kIpMaxLine, 5, "does not end with CR LF"},
        {"too long for the legacy sender", ReplaceLine(good, 3, wide), kLegacyMaxLine, 3,
         "at most 63"},
        {"missing terminator", good.substr(0, LineStart(good, 5)), kIpMaxLine, 4, "no terminator"},
        {"lower-case hex", lowerCase, kIpMaxLine, 2, "not allowed"},
        {"no header first", good.substr(LineStart(good, 2)), kIpMaxLine, 1, "not an S0"},
        {"second header", ReplaceLine(good, 3, good.substr(0, LineStart(good, 2))), kIpMaxLine, 3,
         "second S0"},
        {"mixed data types", ReplaceLine(good, 4, s1), kIpMaxLine, 4, "S1 data record"},
        {"terminator of another type", ReplaceLine(good, 5, terminator), kIpMaxLine, 5,
         "does not match"},
        {"record after the terminator", good + good.substr(LineStart(good, 2), 46), kIpMaxLine, 6,
         "after the terminator"},
        {"wrong byte count", ReplaceLine(good, 2, "S205000000FA\r\n"), kIpMaxLine, 2, "byte count"},
        {"empty image", "", kIpMaxLine, 0, "empty"},
    };
}

TEST(ValidatorTest, RefusesWithTheLineAndTheReason) {
    for (const Refusal& refusal : Refusals()) {
        SCOPED_TRACE(refusal.pszWhat);
        SrecVerdict verdict = Check(refusal.text, refusal.nMaxLine);
        EXPECT_FALSE(verdict.bOk);
        EXPECT_EQ(verdict.nLine, refusal.nLine);
        EXPECT_NE(verdict.strReason.find(refusal.pszReason), std::string::npos)
            << verdict.strReason;
    }
    // A 64-byte line is refused for the legacy sender only.
    std::string wide;
    uint8_t data[24] = {};
    AppendSrecRecord(wide, 0, 0, data, 10);
    AppendSrecRecord(wide, 3, 0x02820000, data, 24);
    AppendSrecRecord(wide, 7, 0, nullptr, 0);
    EXPECT_EQ(Check(wide, kLegacyMaxLine).nLine, 2);
    EXPECT_TRUE(Check(wide, kIpMaxLine).bOk);
}

// The command the build runs: a refused image stops it with file, line and
// reason, and no checked copy is written.
TEST(ValidatorTest, CommandNamesFileLineAndReasonAndWritesNothing) {
    auto dir =
        std::filesystem::temp_directory_path() / ("ktr84-srecheck-" + std::to_string(getpid()));
    std::filesystem::create_directories(dir);
    std::string good = SmallImage();
    std::string bad = good;
    bad.erase(LineStart(good, 4) - 2, 1); // line 3 loses its CR
    std::ofstream(dir / "SREC_UBOOT", std::ios::binary) << bad;
    std::string strCommand = std::string(KTR84_SRECHECK) + " --sender ip " +
                             (dir / "SREC_UBOOT").string() + " --copy-to " +
                             (dir / "copy").string() + " 2>&1";
    FILE* pipe = popen(strCommand.c_str(), "r");
    ASSERT_NE(pipe, nullptr);
    char buffer[512] = {};
    size_t nRead = fread(buffer, 1, sizeof buffer - 1, pipe);
    int nStatus = pclose(pipe);
    std::string output(buffer, nRead);
    EXPECT_EQ(WEXITSTATUS(nStatus), 1);
    EXPECT_NE(output.find((dir / "SREC_UBOOT").string() + ":3: error:"), std::string::npos)
        << output;
    EXPECT_NE(output.find("without CR"), std::string::npos) << output;
    EXPECT_FALSE(std::filesystem::exists(dir / "copy"));

    std::ofstream(dir / "SREC_UBOOT", std::ios::binary | std::ios::trunc) << good;
    EXPECT_EQ(WEXITSTATUS(std::system(strCommand.c_str())), 0);
    EXPECT_EQ(std::filesystem::file_size(dir / "copy"), good.size());
    std::filesystem::remove_all(dir);
}

#ifdef KTR84_STANDIN_IMAGES
// The generator gives the same bytes every time: what the build embedded is
// what a fresh run produces.
TEST(StandInTest, GeneratorIsDeterministic) {
    for (const char* pszName : kImageNames) {
        SCOPED_TRACE(pszName);
        std::ifstream in(std::string(KTR84_IMAGE_DIR) + "/" + pszName, std::ios::binary);
        std::string file((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
        EXPECT_TRUE(file == BuildStandInImage(pszName));
    }
}
#endif

} // namespace
