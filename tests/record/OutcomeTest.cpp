// How a run ended, told from what the operator was shown.
#include <gtest/gtest.h>

#include "console/ModuleMessages.h"
#include "record/OutcomeTracker.h"
#include "window/ControlIds.h"

namespace {
const char* kNoAppCaption = "WARNING: No Application Code Present";

RunEnd Play(const std::vector<std::pair<std::string, int>>& boxes, bool bStopped = false,
            const std::vector<std::string>& statuses = {}) {
    COutcomeTracker tracker;
    tracker.OnRunStart({});
    for (const auto& s : statuses)
        tracker.OnStatus(s);
    for (const auto& [strText, nAnswer] : boxes)
        tracker.OnBox(strText, strText == "no-app" ? kNoAppCaption : "", nAnswer);
    tracker.OnStatus("Idle");
    return tracker.Result(bStopped);
}
} // namespace

TEST(Outcome, EachFinalBoxNamesItsOutcome) {
    EXPECT_EQ(Play({{"Upload Complete!", IDOK}}).outcome, RunOutcome::Complete);
    EXPECT_EQ(Play({{"Upload Failed!", IDOK}}).outcome, RunOutcome::UploadFailed);
    EXPECT_EQ(Play({{"Unable to Connect to Card", IDOK}}).outcome, RunOutcome::NoConnection);
    EXPECT_EQ(Play({{"Unable to open serial port.\nDevice busy", IDOK}}).outcome,
              RunOutcome::PortNotOpened);
    EXPECT_EQ(Play({{ModuleMessages[CableOnController], IDOK}}).outcome, RunOutcome::WrongCable);
    EXPECT_EQ(Play({{ModuleMessages[CableOnIpTransceiverSelected], IDOK}}).outcome,
              RunOutcome::WrongCable);
}

TEST(Outcome, TheNoApplicationCodeAnswerDecidesOnlyWhenItIsCancel) {
    EXPECT_EQ(Play({{"no-app", IDCANCEL}}).outcome, RunOutcome::Aborted);
    EXPECT_EQ(Play({{"no-app", IDOK}, {"Upload Complete!", IDOK}}).outcome, RunOutcome::Complete);
}

TEST(Outcome, ARefusedLogInNamesTheFailureThatFollows) {
    const RunEnd end = Play({{"Unable to Connect to Card", IDOK}}, false, {"Login failed!"});
    EXPECT_EQ(end.outcome, RunOutcome::LoginFailed);
    EXPECT_EQ(end.strStatus, "Login failed!");
    EXPECT_EQ(end.strMessage, "Unable to Connect to Card");
}

TEST(Outcome, ARefusedBootLoaderLogInCountsAndASuccessfulOneClearsIt) {
    EXPECT_EQ(
        Play({{"Unable to Connect to Card", IDOK}}, false, {"Bootloader Login Failed, Retrying"})
            .outcome,
        RunOutcome::LoginFailed);
    EXPECT_EQ(Play({{"Upload Failed!", IDOK}}, false,
                   {"Login failed!", "Login Successful!", "Bootloader Login Failed, Retrying",
                    "Bootloader Login Successful!"})
                  .outcome,
              RunOutcome::UploadFailed);
}

TEST(Outcome, TheFirstDecidingBoxHolds) {
    const RunEnd end = Play({{"Upload Failed!", IDOK}, {"Upload Complete!", IDOK}});
    EXPECT_EQ(end.outcome, RunOutcome::UploadFailed);
    EXPECT_EQ(end.strMessage, "Upload Complete!"); // the last box shown
}

TEST(Outcome, ARunThatEndsWithoutAWordIsNeverASuccess) {
    EXPECT_EQ(Play({}).outcome, RunOutcome::NoConnection);
    EXPECT_EQ(Play({}, true).outcome, RunOutcome::Stopped);
    COutcomeTracker tracker;
    tracker.OnRunStart({});
    tracker.OnPasswordPrompt(IDCANCEL);
    EXPECT_EQ(tracker.Result(false).outcome, RunOutcome::Aborted);
}

TEST(Outcome, AFrontEndsDecisionHoldsAndANewRunForgetsIt) {
    COutcomeTracker tracker;
    tracker.OnRunStart({});
    tracker.Decide(RunOutcome::LoginFailed);
    tracker.OnBox("Upload Complete!", "", IDOK);
    EXPECT_EQ(tracker.Result(false).outcome, RunOutcome::LoginFailed);
    tracker.OnRunStart({});
    tracker.OnBox("Upload Complete!", "", IDOK);
    EXPECT_EQ(tracker.Result(false).outcome, RunOutcome::Complete);
}
