#include <gtest/gtest.h>

#include "console/RxSearch.h"

namespace {
// Everything the IP run looks for.
const char* const kAwaited[] = {"=>",       "login", "Password",   "$",        "#",
                                "SAT",      "BSR",   "Dest",       "Login",    "Passwd",
                                "download", "OK",    "Bad Header", "Bad Data", "done"};

bool Found(const CRxSearch& rx, const std::string& strLiteral) {
    return strLiteral == "Login" ? rx.ContainsForeignLogin() : rx.Contains(strLiteral);
}
} // namespace

TEST(RxSearch, EveryLiteralSplitAtEveryPositionIsSeenOnceAndNeverAgain) {
    for (const char* psz : kAwaited) {
        const std::string lit = psz;
        for (size_t nCut = 0; nCut <= lit.size(); ++nCut) {
            CRxSearch rx;
            rx.NextPoll("xx" + lit.substr(0, nCut), false);
            // "Login" at the very end may still become "Login incorrect".
            const bool bWhole = nCut == lit.size() && lit != "Login";
            EXPECT_EQ(Found(rx, lit), bWhole) << lit << " cut at " << nCut;
            rx.NextPoll(lit.substr(nCut) + " \r\n", false);
            EXPECT_EQ(Found(rx, lit), !bWhole) << lit << " cut at " << nCut;
            rx.NextPoll("\r\nzz", false);
            EXPECT_FALSE(Found(rx, lit)) << lit << " seen again, cut at " << nCut;
        }
    }
}

TEST(RxSearch, LiteralSpreadOverSeveralShortPollsIsSeen) {
    CRxSearch rx;
    rx.NextPoll("Pa", false);
    rx.NextPoll("ss", false);
    rx.NextPoll("wo", false);
    EXPECT_FALSE(rx.Contains("Password"));
    rx.NextPoll("rd: ", false);
    EXPECT_TRUE(rx.Contains("Password"));
}

TEST(RxSearch, TextCutAtNulDoesNotJoinTheNextPoll) {
    CRxSearch rx;
    rx.NextPoll("dow", true); // the poll was "dow\0..." and its text ends at the NUL
    rx.NextPoll("nload", false);
    EXPECT_FALSE(rx.Contains("download"));
    rx.NextPoll(" done", false);
    EXPECT_TRUE(rx.Contains("done"));
}

TEST(RxSearch, EmptyPollMatchesNothingAndKeepsTheTail) {
    CRxSearch rx;
    rx.NextPoll("=> ", false);
    rx.NextPoll("", false);
    EXPECT_FALSE(rx.Contains("=>"));
    rx.NextPoll("lo", false);
    rx.NextPoll("", false);
    rx.NextPoll("gin: ", false);
    EXPECT_TRUE(rx.Contains("login"));
}

TEST(RxSearch, ResetForgetsEarlierPolls) {
    CRxSearch rx;
    rx.NextPoll("Bad Hea", false);
    rx.Reset();
    rx.NextPoll("der", false);
    EXPECT_FALSE(rx.Contains("Bad Header"));
}

TEST(RxSearch, LoginIncorrectIsNoForeignLoginEvenWhenSplit) {
    const std::string text = "\r\nLogin incorrect\r\n";
    for (size_t nCut = 0; nCut <= text.size(); ++nCut) {
        CRxSearch rx;
        rx.NextPoll(text.substr(0, nCut), false);
        EXPECT_FALSE(rx.ContainsForeignLogin()) << nCut;
        rx.NextPoll(text.substr(nCut), false);
        EXPECT_FALSE(rx.ContainsForeignLogin()) << nCut;
        EXPECT_FALSE(rx.Contains("login"));
    }
}

TEST(RxSearch, ForeignLoginBesideLoginIncorrectIsSeen) {
    CRxSearch rx;
    rx.NextPoll("Login incorrect\r\nLogin >", false);
    EXPECT_TRUE(rx.ContainsForeignLogin());

    // The boot loader's "Login >" split right after "Login": decided by " >".
    CRxSearch split;
    split.NextPoll("\r\nLogin", false);
    EXPECT_FALSE(split.ContainsForeignLogin());
    split.NextPoll(" >", false);
    EXPECT_TRUE(split.ContainsForeignLogin());
    split.NextPoll(" ", false);
    EXPECT_FALSE(split.ContainsForeignLogin());

    // A text that departs from " incorrect" late is still a foreign "Login".
    CRxSearch late;
    late.NextPoll("Login incorr", false);
    EXPECT_FALSE(late.ContainsForeignLogin());
    late.NextPoll("ext", false);
    EXPECT_TRUE(late.ContainsForeignLogin());
}
