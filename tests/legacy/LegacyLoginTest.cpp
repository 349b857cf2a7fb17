// The console half of the legacy run: log-in, the module kind check and the
// way into the boot loader, against a test-played console on a pty.
#include <algorithm>

#include <gtest/gtest.h>

#include "tests/legacy/LegacyRig.h"

namespace {
const char* const kOnController =
    "Cable possibly plugged into Controller Module.  Ensure cable is plugged into Transceiver "
    "Module.";
const char* const kOnTransceiver =
    "Cable possibly plugged into Transceiver Module.  Ensure cable is plugged into Controller "
    "Module.";
const char* const kIpControllerSel = "Cable possibly plugged into an IP-Enabled Controller.";
const char* const kIpTransceiverSel = "Cable possibly plugged into an IP-Enabled Controller. "
                                      "Ensure cable is plugged into Transceiver Module.";

void ExpectErrorBox(const ShownEvent& box, const std::string& strText) {
    EXPECT_EQ(box.strText, strText);
    EXPECT_EQ(box.strCaption, ApplicationCaption());
    EXPECT_EQ(box.icon, MsgIcon::Stop);
    EXPECT_EQ(box.buttons, MsgButtons::Ok);
}

struct WrongCableCase {
    ModuleKind kind;
    const char* pszConsole;
    const char* pszBox;
    bool bClosedBeforeBox;
};

class WrongCable : public ::testing::TestWithParam<WrongCableCase> {};

TEST_P(WrongCable, EndsWithItsBoxAndStatusIdleAndAllowsAnotherRun) {
    const WrongCableCase& c = GetParam();
    CLegacyRig rig(c.kind);
    rig.module.Expect("\r", c.pszConsole);
    bool bConnectedAtBox = true;
    rig.window.onShown = [&](const ShownEvent& e) {
        if (e.kind == ShownEvent::Box)
            bConnectedAtBox = rig.dlg.m_comm.m_bConnected != 0;
    };
    rig.Run();

    auto boxes = rig.window.Boxes();
    ASSERT_EQ(boxes.size(), 1u);
    ExpectErrorBox(boxes[0], c.pszBox);
    EXPECT_EQ(bConnectedAtBox, !c.bClosedBeforeBox);
    EXPECT_EQ(rig.window.Statuses().back(), "Idle");
    EXPECT_EQ(rig.module.received, "\r"); // nothing but the launch's CR answered
    EXPECT_TRUE(rig.Released());

    // The window takes another run on the same line.
    rig.module.Expect("\r", c.pszConsole);
    rig.Run();
    EXPECT_EQ(rig.window.Boxes().size(), 2u);
    EXPECT_EQ(rig.module.received, "\r\r");
    EXPECT_TRUE(rig.Released());
}

INSTANTIATE_TEST_SUITE_P(
    Console, WrongCable,
    ::testing::Values(WrongCableCase{Transceiver, "\r\nSAT> ", kOnController, false},
                      WrongCableCase{Controller, "\r\nBSR> ", kOnTransceiver, false},
                      WrongCableCase{Controller, "\r\nktr84 login: ", kIpControllerSel, true},
                      WrongCableCase{Transceiver, "\r\nU-Boot => ", kIpTransceiverSel, true},
                      WrongCableCase{Controller, "\r\n~ $ ", kIpControllerSel, true},
                      WrongCableCase{Transceiver, "\r\n~ # ", kIpTransceiverSel, true}));

TEST(ConsoleLogin, EarlierLiteralWinsWithinOneChunk) {
    // "SAT" is tested before "Login": only the boot loader command goes out.
    CLegacyRig rig(Controller);
    rig.module.Expect("\r", "\r\nSAT Login: ");
    // No banner three times: back to the console, which turns out to be a shell.
    rig.module.Expect("s 0 b\r", "\r\n");
    rig.module.Expect("", "\r\n", 2500);
    rig.module.Expect("", "\r\n", 2500);
    rig.module.Expect("\r", "\r\n$ ");
    rig.Run();
    EXPECT_EQ(rig.module.received, "\rs 0 b\r\r");
    EXPECT_EQ(rig.window.Statuses()[2], "Entering Bootloader...");
}

TEST(ConsoleLogin, RejectedLogInAsksOnceAndTheTypedPasswordServesLaterRuns) {
    CLegacyRig rig(Transceiver);
    rig.window.QueuePasswordAnswer(IDOK, "s3cret");
    // The first "Login" of the program gets a CR alone: no user name yet.
    rig.module.Expect("\r", "\r\nDest: ");
    rig.module.Expect("\r", "\r\nLogin: ");
    rig.module.Expect("\r", "\r\nPasswd: ");
    rig.module.Expect("\r", "\r\nIncorrect login\r\n");
    rig.module.Expect("\r", "\r\nLogin: Passwd: "); // one chunk: the user name only
    rig.module.Expect("field\r", "\r\nPasswd: ");
    rig.module.Expect("s3cret\r", "\r\nSAT> "); // logged in: but on the wrong module
    rig.Run();

    // Launch, "Dest", "Login" and "Passwd" with empty strings, "Incorrect".
    EXPECT_EQ(rig.module.received, "\r\r\r\r\rfield\rs3cret\r");
    EXPECT_EQ(rig.Count(ShownEvent::Prompt, kDefaultPassword), 1u);
    EXPECT_EQ(rig.Memory().m_strLoginUser, "field");
    EXPECT_EQ(rig.Memory().m_strLoginPassword, "s3cret");
    const auto statuses = rig.window.Statuses();
    EXPECT_NE(std::find(statuses.begin(), statuses.end(), "Attempting Login...."), statuses.end());
    EXPECT_NE(std::find(statuses.begin(), statuses.end(), "Attempting Login....."), statuses.end());
    EXPECT_NE(std::find(statuses.begin(), statuses.end(), "Attempting Login......"),
              statuses.end());
    EXPECT_TRUE(rig.Released());

    // The next run logs in with the stored strings without asking.
    const size_t nBefore = rig.module.received.size();
    rig.module.Expect("\r", "\r\nLogin: ");
    rig.module.Expect("field\r", "\r\nPasswd: ");
    rig.module.Expect("s3cret\r", "\r\nSAT> ");
    rig.Run();
    EXPECT_EQ(rig.module.received.substr(nBefore), "\rfield\rs3cret\r");
    EXPECT_EQ(rig.Count(ShownEvent::Prompt, kDefaultPassword), 1u);
    EXPECT_TRUE(rig.Released());
}

TEST(ConsoleLogin, CancelledPasswordPromptKeepsTheStringsAndStillSendsCr) {
    CLegacyRig rig(Transceiver);
    rig.window.QueuePasswordAnswer(IDCANCEL, "ignored");
    rig.module.Expect("\r", "\r\nIncorrect\r\n");
    rig.module.Expect("\r", "\r\nLogin: ");
    rig.module.Expect("\r", "\r\n$ ");
    rig.Run();
    EXPECT_EQ(rig.module.received, "\r\r\r");
    EXPECT_EQ(rig.Memory().m_strLoginUser, "");
    EXPECT_EQ(rig.Memory().m_strLoginPassword, "");
}

// Each CR of the upgrader is answered with text that holds no known prompt.
void AnswerEveryCrWithNoise(CLegacyRig& rig) {
    rig.module.onData = [](CPtyModule& m, const std::string& strNew) {
        for (char c : strNew)
            if (c == '\r')
                m.Say("\r\n?? unknown\r\n");
    };
}

TEST(ConsoleLogin, ThirtyFirstUnansweredChunkFailsTheLogInAndTheRun) {
    CLegacyRig rig(Transceiver);
    AnswerEveryCrWithNoise(rig);
    rig.Run();

    // The launch's CR and one per unanswered chunk.
    EXPECT_EQ(rig.module.received, std::string(32, '\r'));
    // 31 fallbacks, then the failure; the next chunk ends the run in state 12.
    size_t nAttempts = 0, nLast = 0;
    for (size_t i = 0; i < rig.window.events.size(); ++i)
        if (rig.window.events[i].strText == "Attempting Login...")
            ++nAttempts, nLast = i;
    std::vector<std::string> after;
    for (size_t i = nLast + 1; i < rig.window.events.size(); ++i)
        after.push_back(rig.window.events[i].strText);
    EXPECT_EQ(nAttempts, 31u);
    EXPECT_EQ(after, (std::vector<std::string>{"Login failed!", "Unable to Connect to Card",
                                               "Upload Failed!", "Upload Failed"}));
    auto boxes = rig.window.Boxes();
    ASSERT_EQ(boxes.size(), 2u);
    ExpectErrorBox(boxes[0], "Unable to Connect to Card");
    ExpectErrorBox(boxes[1], "Upload Failed!");
    EXPECT_EQ(rig.window.Statuses().back(), "Upload Failed");
    EXPECT_EQ(rig.Memory().m_bUploadFailed, 1);
    EXPECT_TRUE(rig.Released());

    // A new run starts from a cleared counter and flag.
    rig.module.onData = nullptr;
    rig.module.Expect("\r", "\r\n$ ");
    rig.Run();
    EXPECT_EQ(rig.Memory().m_nRetryCount, 0);
    EXPECT_EQ(rig.Memory().m_bUploadFailed, 0);
    EXPECT_EQ(rig.window.Boxes().back().strText, kIpTransceiverSel);
}

const char* const kNoCodeTransceiver =
    "There appears to be no application code present on this module.  ZEK Upgrader can proceed "
    "and install new software but it cannot check if the programming cable is connected to the "
    "Transceiver module.  Please verify that the programming cable is connected to the "
    "Transceiver module and click on OK to continue, otherwise click on Cancel to abort the "
    "upgrade.";
const char* const kNoCodeController =
    "There appears to be no application code present on this module.  ZEK Upgrader can proceed "
    "and install new software but it cannot check if the programming cable is connected to the "
    "Controller module.  Please verify that the programming cable is connected to the "
    "Controller module and click on OK to continue, otherwise click on Cancel to abort the "
    "upgrade.";

void ExpectQuestion(const ShownEvent& box, const std::string& strText) {
    EXPECT_EQ(box.strText, strText);
    EXPECT_EQ(box.strCaption, "WARNING: No Application Code Present");
    EXPECT_EQ(box.icon, MsgIcon::Exclamation);
    EXPECT_EQ(box.buttons, MsgButtons::OkCancel);
}

TEST(NoApplicationCode, SecondMenuAsksAndOkGoesOnIntoTheBootLoader) {
    CLegacyRig rig(Transceiver);
    rig.window.QueueBoxAnswer(IDOK);
    rig.module.Expect("\r", "\r\nBoot menu  r) reboot\r\nEnter selection:");
    // The reboot brings the menu back: no application to start.
    rig.module.Expect("r\r", "\r\nBoot menu  r) reboot\r\nEnter selection:");
    rig.module.Expect("r\r", "\r\nKTR-84 Bootloader V2.1\r\nLogin >", 2100);
    rig.module.Expect("root\r", "\r\n$ "); // ends the run quickly once the log-in was seen
    rig.Run();

    auto boxes = rig.window.Boxes();
    ASSERT_GE(boxes.size(), 1u);
    ExpectQuestion(boxes[0], kNoCodeTransceiver);
    // The question came only with the second menu, and only after its r and CR.
    EXPECT_NE(FindInOrder(rig.module.received, {"\r", "r\r", "r\r", "root\r"}), std::string::npos);
    EXPECT_EQ(rig.Count(ShownEvent::Status, "Attempting Reboot..."), 2u);
    EXPECT_EQ(rig.Count(ShownEvent::Status, "Bootloader Login..."), 1u);
    // OK still waits its 2000 ms before the boot loader's prompt is read.
    int64_t nQuestion = boxes[0].nAtMs, nLogin = 0;
    for (const auto& e : rig.window.events)
        if (e.strText == "Bootloader Login...")
            nLogin = e.nAtMs;
    EXPECT_GE(nLogin - nQuestion, 2000);
}

TEST(NoApplicationCode, CancelClosesTheLineThenSaysUpgradeAborted) {
    CLegacyRig rig(Controller);
    rig.window.QueueBoxAnswer(IDCANCEL);
    rig.module.Expect("\r", "\r\nEnter selection:");
    rig.module.Expect("r\r", "\r\nEnter selection:");
    bool bConnectedAtAbort = true;
    rig.window.onShown = [&](const ShownEvent& e) {
        if (e.strText == "Upgrade aborted")
            bConnectedAtAbort = rig.dlg.m_comm.m_bConnected != 0;
    };
    rig.Run();

    auto boxes = rig.window.Boxes();
    ASSERT_EQ(boxes.size(), 2u);
    ExpectQuestion(boxes[0], kNoCodeController);
    ExpectErrorBox(boxes[1], "Upgrade aborted");
    EXPECT_FALSE(bConnectedAtAbort);
    // "Idle" is shown before the abort notice.
    const auto& last = rig.window.events;
    ASSERT_GE(last.size(), 2u);
    EXPECT_EQ(last[last.size() - 2].strText, "Idle");
    EXPECT_EQ(last.back().strText, "Upgrade aborted");
    EXPECT_EQ(rig.module.received, "\rr\rr\r");
    EXPECT_TRUE(rig.Released());
}

// Two unanswered chunks, then the console of the module; then no banner.
void ScriptConsoleThenNoBanner(CLegacyRig& rig, const std::string& strConsole,
                               const std::string& strCommand, int nMisses) {
    rig.module.Expect("\r", "\r\n?\r\n");
    rig.module.Expect("\r", "\r\n?\r\n");
    rig.module.Expect("\r", strConsole);
    rig.module.Expect(strCommand, "\r\n");
    for (int i = 1; i < nMisses; ++i)
        rig.module.Expect("", "\r\n", 2500);
    rig.module.Expect("\r", "\r\n$ ");
}

TEST(ConsoleLogin, ControllerConsoleKeepsTheRetryCountTransceiverConsoleClearsIt) {
    {
        // Two misses before "SAT" leave one banner miss before the console again.
        CLegacyRig rig(Controller);
        ScriptConsoleThenNoBanner(rig, "\r\nSAT> ", "s 0 b\r", 1);
        rig.Run();
        EXPECT_EQ(rig.Count(ShownEvent::Status, "Bootloader Entry failed... Retrying"), 1u);
        EXPECT_EQ(rig.module.received, "\r\r\rs 0 b\r\r");
    }
    {
        // "BSR" clears it: three banner misses.
        CLegacyRig rig(Transceiver);
        ScriptConsoleThenNoBanner(rig, "\r\nBSR> ", FiftyB(), 3);
        rig.Run();
        EXPECT_EQ(rig.Count(ShownEvent::Status, "Bootloader Entry failed... Retrying"), 1u);
        EXPECT_EQ(rig.module.received, "\r\r\rreset\r" + FiftyB() + "\r");
        EXPECT_EQ(rig.window.Statuses()[3], "Login Successful!");
        EXPECT_EQ(rig.window.Statuses()[4], "Entering Bootloader...");
    }
}
} // namespace
