// Progress on the error stream: lines per status change, or one line
// rewritten on a terminal; boxes end the rewritten line first.
#include <gtest/gtest.h>

#include <sstream>

#include "cli/Progress.h"

namespace {
TEST(Progress, WithoutATerminalOneLinePerStatusChange) {
    std::ostringstream stream;
    CConsoleOut out(stream, false);
    CProgress progress(out, [] { return int64_t{0}; });
    progress.OnRunStart({});
    progress.OnStatus("Initialising");
    progress.OnStatus("Attempting Login...");
    progress.OnStatus("Attempting Login...");
    progress.OnProgress(10, 100);
    progress.OnStatus("Upload Complete");
    progress.OnRunEnd({});
    EXPECT_EQ(stream.str(), "Initialising\nAttempting Login...\nUpload Complete\n");
}

TEST(Progress, OnATerminalOneLineWithPercentAndTimeLeft) {
    std::ostringstream stream;
    CConsoleOut out(stream, true);
    int64_t nNowMs = 0;
    CProgress progress(out, [&] { return nNowMs; });
    progress.OnRunStart({});
    progress.OnStatus("Uploading 0 of 100 kilobytes");
    EXPECT_EQ(progress.Text(), "Uploading 0 of 100 kilobytes");
    progress.OnProgress(0, 1000);
    progress.OnProgress(100, 1000);
    nNowMs = 10000;
    progress.OnProgress(500, 1000);
    progress.OnStatus("Uploading 50 of 100 kilobytes");
    EXPECT_EQ(progress.Text().rfind("Uploading 50 of 100 kilobytes  50%", 0), 0u)
        << progress.Text();
    EXPECT_NE(progress.Text().find("left"), std::string::npos) << progress.Text();
    EXPECT_EQ(stream.str().find('\n'), std::string::npos) << "one line, rewritten";
    EXPECT_NE(stream.str().find('\r'), std::string::npos);
    progress.OnRunEnd({});
    EXPECT_EQ(stream.str().back(), '\n');
}

TEST(ConsoleOut, ALineEndsTheRewrittenLineAndShorterTextsBlankTheRest) {
    std::ostringstream stream;
    CConsoleOut out(stream, true);
    out.Rewrite("long status");
    out.Rewrite("short");
    out.Line("ktr84-upgrade: Upload Complete!");
    out.EndRewrite(); // nothing left to end
    EXPECT_EQ(stream.str(), "\rlong status\rshort      \rshort\nktr84-upgrade: Upload Complete!\n");
}

TEST(ConsoleOut, NothingIsRewrittenWithoutATerminal) {
    std::ostringstream stream;
    CConsoleOut out(stream, false);
    out.Rewrite("status");
    out.EndRewrite();
    out.Line("box");
    EXPECT_EQ(stream.str(), "box\n");
}
} // namespace
