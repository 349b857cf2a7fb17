#include <gtest/gtest.h>

#include <string>

#include "console/PromptMatcher.h"

namespace {
const uint8_t* Bytes(const std::string& s) {
    return reinterpret_cast<const uint8_t*>(s.data());
}
int32_t Len(const std::string& s) {
    return static_cast<int32_t>(s.size());
}

class PromptMatcherTest : public ::testing::Test {
protected:
    PromptMatcher m; // as the dialog holds it: the counter starts at 0
};
} // namespace

TEST_F(PromptMatcherTest, FindsPromptInOneChunkAndStopsAtItsLastByte) {
    std::string chunk = "\r\nBSR> trailing";
    EXPECT_TRUE(MatchPrompt(m, Bytes(chunk), Len(chunk), "BSR"));
    EXPECT_EQ(m.Counter(), 3);
}

TEST_F(PromptMatcherTest, FindsPromptSplitAcrossChunks) {
    std::string first = "Lo", second = "gin >";
    EXPECT_FALSE(MatchPrompt(m, Bytes(first), Len(first), "Login >"));
    EXPECT_TRUE(MatchPrompt(m, Bytes(second), Len(second), "Login >"));

    m = PromptMatcher();
    std::string a = "\r\nLog", b = "in >";
    EXPECT_FALSE(MatchPrompt(m, Bytes(a), Len(a), "Login >"));
    EXPECT_EQ(m.Counter(), 3);
    EXPECT_TRUE(MatchPrompt(m, Bytes(b), Len(b), "Login >"));
}

TEST_F(PromptMatcherTest, MismatchingByteIsNotComparedWithFirstCharacterAgain) {
    std::string chunk = "MMERGE";
    EXPECT_FALSE(MatchPrompt(m, Bytes(chunk), Len(chunk), "MERGE"));
    // A byte that breaks a partial match is lost as a start: "SSAT" is missed too.
    m = PromptMatcher();
    std::string sat = "SSAT";
    EXPECT_FALSE(MatchPrompt(m, Bytes(sat), Len(sat), "SAT"));
}

TEST_F(PromptMatcherTest, CounterIsSharedBetweenPromptsAndCalls) {
    // "Bootloader" then "Login >" on the same chunk: the first test leaves the
    // counter at 10, so the second treats the chunk's first byte as a mismatch.
    std::string chunk = "Bootloader v2\r\nLogin >";
    EXPECT_TRUE(MatchPrompt(m, Bytes(chunk), Len(chunk), "Bootloader"));
    EXPECT_EQ(m.Counter(), 10);
    EXPECT_TRUE(MatchPrompt(m, Bytes(chunk), Len(chunk), "Login >"));

    // A chunk ending in "sel" leaves 3; "Incorrect" then compares the chunk's
    // first byte with its fourth letter.
    m = PromptMatcher();
    std::string menu = "make a sel";
    EXPECT_FALSE(MatchPrompt(m, Bytes(menu), Len(menu), "selection"));
    EXPECT_EQ(m.Counter(), 3);
    std::string next = "orrect";
    EXPECT_TRUE(MatchPrompt(m, Bytes(next), Len(next), "Incorrect"));

    // After "MERGE" matched, a chunk beginning with MERGE does not match at once:
    // its first byte only resets the counter.
    m = PromptMatcher();
    std::string merge = "MERGE";
    EXPECT_TRUE(MatchPrompt(m, Bytes(merge), Len(merge), "MERGE"));
    EXPECT_FALSE(MatchPrompt(m, Bytes(merge), Len(merge), "MERGE"));
    EXPECT_TRUE(MatchPrompt(m, Bytes(merge), Len(merge), "MERGE"));
}

TEST_F(PromptMatcherTest, EmptyOrNegativeLengthExaminesNothing) {
    std::string me = "ME"; // two characters of "MERGE" matched
    EXPECT_FALSE(MatchPrompt(m, Bytes(me), Len(me), "MERGE"));
    std::string chunk = "xyz";
    EXPECT_FALSE(MatchPrompt(m, Bytes(chunk), 0, "MERGE"));
    EXPECT_FALSE(MatchPrompt(m, Bytes(chunk), -5, "MERGE"));
    EXPECT_EQ(m.Counter(), 2);
}

TEST_F(PromptMatcherTest, ComparesBytesExactly) {
    std::string lower = "bsr";
    EXPECT_FALSE(MatchPrompt(m, Bytes(lower), Len(lower), "BSR"));
    std::string withNul("S\0R", 3);
    EXPECT_FALSE(MatchPrompt(m, Bytes(withNul), Len(withNul), "SAR"));
    std::string crlf = "\r\r";
    EXPECT_TRUE(m.Match(Bytes(crlf), Len(crlf), "\r\r", 3));
}
