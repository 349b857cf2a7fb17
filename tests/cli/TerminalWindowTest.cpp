// The terminal window: controls as the dialog uses them, boxes printed and
// answered from the command line, password prompts, the scaled clock.
#include <gtest/gtest.h>

#include <sstream>

#include "cli/DialogChoices.h"
#include "cli/TerminalWindow.h"

namespace {
struct Terminal {
    explicit Terminal(bool bContinue = true, PasswordSource source = PasswordSource::Given,
                      TerminalAsk ask = {})
        : out(stream, false), password(source, "given", std::move(ask)),
          window(out, password, bContinue) {}
    std::ostringstream stream;
    CConsoleOut out;
    CPasswordAnswer password;
    CTerminalWindow window;
};

TEST(TerminalWindow, BoxesArePrintedWithTheirCaption) {
    Terminal t;
    EXPECT_EQ(t.window.MessageBox("Upload Complete!", "", MsgIcon::None, MsgButtons::Ok), IDOK);
    EXPECT_EQ(t.window.MessageBox("Serial_Comm_Error\n", "Line", MsgIcon::Stop, MsgButtons::Ok),
              IDOK);
    EXPECT_EQ(t.stream.str(),
              std::string(ApplicationCaption()) + ": Upload Complete!\nLine: Serial_Comm_Error\n");
    EXPECT_EQ(t.window.LastBoxText(), "Serial_Comm_Error\n");
}

TEST(TerminalWindow, NoApplicationCodeIsAnsweredFromTheCommandLine) {
    Terminal goOn(true), stop(false);
    EXPECT_EQ(goOn.window.MessageBox("No code", CTerminalWindow::kNoAppCodeCaption,
                                     MsgIcon::Exclamation, MsgButtons::OkCancel),
              IDOK);
    EXPECT_EQ(stop.window.MessageBox("No code", CTerminalWindow::kNoAppCodeCaption,
                                     MsgIcon::Exclamation, MsgButtons::OkCancel),
              IDCANCEL);
    // Any other question: the default button.
    EXPECT_EQ(stop.window.MessageBox("Stop the upgrade and quit?", "", MsgIcon::Exclamation,
                                     MsgButtons::OkCancel),
              IDOK);
    EXPECT_NE(stop.stream.str().find("WARNING: No Application Code Present: No code"),
              std::string::npos);
}

TEST(TerminalWindow, ListsSelectNothingUntilToldAndFollowDeletions) {
    Terminal t;
    CTerminalWindow& w = t.window;
    w.AddListEntry(ctl::kBaudList, "9600");
    w.AddListEntry(ctl::kBaudList, "19200");
    w.AddListEntry(ctl::kBaudList, "38400");
    EXPECT_EQ(w.GetListSelection(ctl::kBaudList), -1);
    EXPECT_EQ(w.GetControlText(ctl::kBaudList), "");
    w.SetListSelection(ctl::kBaudList, 2);
    EXPECT_EQ(w.GetControlText(ctl::kBaudList), "38400");
    w.DeleteListEntry(ctl::kBaudList, 0);
    EXPECT_EQ(w.GetListSelection(ctl::kBaudList), 1);
    EXPECT_EQ(w.GetControlText(ctl::kBaudList), "38400");
    w.DeleteListEntry(ctl::kBaudList, 1);
    EXPECT_EQ(w.GetListSelection(ctl::kBaudList), -1);
    w.SetListSelection(ctl::kBaudList, 5);
    EXPECT_EQ(w.GetListSelection(ctl::kBaudList), -1);
    w.SetControlText(ctl::kBaudList, "19200");
    EXPECT_EQ(w.GetControlText(ctl::kBaudList), "19200");
    w.SetControlText(ctl::kStatus, "Idle");
    EXPECT_EQ(w.GetControlText(ctl::kStatus), "Idle");
    EXPECT_TRUE(w.IsEnabled(ctl::kUpgrade));
    w.EnableControl(ctl::kUpgrade, false);
    EXPECT_FALSE(w.IsEnabled(ctl::kUpgrade));
}

TEST(TerminalWindow, AGivenPasswordIsGivenOnceThenTheRunGivesUp) {
    Terminal t;
    int nGiveUps = 0;
    t.password.onGiveUp = [&] { ++nGiveUps; };
    std::string strEntered;
    EXPECT_EQ(t.window.PasswordPrompt("8484", strEntered), IDOK);
    EXPECT_EQ(strEntered, "given");
    EXPECT_EQ(nGiveUps, 0);
    strEntered = "kept";
    EXPECT_EQ(t.window.PasswordPrompt("8484", strEntered), IDCANCEL);
    EXPECT_EQ(strEntered, "kept") << "a cancelled prompt leaves the text alone";
    EXPECT_EQ(nGiveUps, 1);
}

TEST(TerminalWindow, WithoutATerminalTheDefaultIsAnsweredOnce) {
    Terminal t(true, PasswordSource::Terminal);
    bool bGaveUp = false;
    t.password.onGiveUp = [&] { bGaveUp = true; };
    std::string strEntered;
    EXPECT_EQ(t.window.PasswordPrompt("8484", strEntered), IDOK);
    EXPECT_EQ(strEntered, "8484");
    EXPECT_EQ(t.window.PasswordPrompt("8484", strEntered), IDCANCEL);
    EXPECT_TRUE(bGaveUp);
}

TEST(TerminalWindow, OnATerminalEveryPromptIsAsked) {
    std::vector<std::optional<std::string>> answers = {"typed", "", std::nullopt};
    size_t nAsked = 0;
    Terminal t(true, PasswordSource::Terminal, [&](const std::string& strQuestion) {
        EXPECT_FALSE(strQuestion.empty());
        return answers.at(nAsked++);
    });
    bool bGaveUp = false;
    t.password.onGiveUp = [&] { bGaveUp = true; };
    std::string strEntered;
    EXPECT_EQ(t.window.PasswordPrompt("8484", strEntered), IDOK);
    EXPECT_EQ(strEntered, "typed");
    EXPECT_EQ(t.window.PasswordPrompt("8484", strEntered), IDOK);
    EXPECT_EQ(strEntered, "8484") << "an empty answer takes the default";
    EXPECT_EQ(t.window.PasswordPrompt("8484", strEntered), IDCANCEL) << "end of input";
    EXPECT_EQ(nAsked, 3u);
    EXPECT_FALSE(bGaveUp);
    EXPECT_EQ(t.password.Prompts(), 3);
}

TEST(TerminalWindow, PumpReportsAStopAndWaitsLookForIt) {
    Terminal t;
    EXPECT_TRUE(t.window.PumpMessages());
    bool bStop = false;
    int nWaits = 0;
    t.window.onPump = [&] { return !bStop; };
    t.window.onWait = [&] { ++nWaits; };
    EXPECT_TRUE(t.window.PumpMessages());
    bStop = true;
    EXPECT_FALSE(t.window.PumpMessages());
    t.window.Sleep(1);
    EXPECT_FALSE(t.window.WaitForInput(kNoLineHandle, 1));
    EXPECT_EQ(nWaits, 2);
}

TEST(TerminalWindow, AScaledClockCountsTheWholeSleep) {
    std::ostringstream stream;
    CConsoleOut out(stream, false);
    CPasswordAnswer password(PasswordSource::Terminal, "", {});
    CTerminalWindow window(out, password, true, 10);
    const int64_t nBefore = window.NowMs();
    window.Sleep(2000);
    EXPECT_GE(window.NowMs() - nBefore, 2000);
}

TEST(DialogChoices, TheIpModuleAsTheWindowsClicksChooseIt) {
    Terminal t;
    CUpgraderDlg dlg(t.window);
    dlg.OnInitDialog();
    CliOptions o;
    o.module = IpController;
    o.strPort = "/dev/pts/9";
    o.strBaud = "57600";
    o.images = {"kernel"};
    ApplyChoices(o, dlg, t.window);
    EXPECT_TRUE(t.window.IsChecked(ctl::kIpController));
    EXPECT_FALSE(t.window.IsChecked(ctl::kTransceiver));
    EXPECT_TRUE(t.window.IsEnabled(ctl::kKernel));
    EXPECT_EQ(t.window.GetControlText(ctl::kComList), "/dev/pts/9");
    EXPECT_EQ(t.window.GetListCount(ctl::kComList), 5) << "COM1..COM4 and the new entry";
    EXPECT_EQ(t.window.GetControlText(ctl::kBaudList), "57600");
    const RunStart start = dlg.DescribeRun();
    EXPECT_EQ(start.strModule, "IP-Enabled Controller");
    EXPECT_EQ(start.images, (std::vector<std::string>{"kernel", "filesystem"}));
    EXPECT_NE(t.window.GetControlText(ctl::kDetails).find("Kernel: "), std::string::npos);
}

TEST(DialogChoices, ALegacyModuleOnAComPortAtTheDefaultRate) {
    Terminal t;
    CUpgraderDlg dlg(t.window);
    dlg.OnInitDialog();
    CliOptions o;
    o.module = Controller;
    o.strPort = "COM3";
    ApplyChoices(o, dlg, t.window);
    EXPECT_TRUE(t.window.IsChecked(ctl::kController));
    EXPECT_FALSE(t.window.IsEnabled(ctl::kBootloader));
    EXPECT_EQ(t.window.GetListCount(ctl::kComList), 4) << "COM3 is offered already";
    EXPECT_EQ(t.window.GetControlText(ctl::kComList), "COM3");
    EXPECT_EQ(t.window.GetControlText(ctl::kBaudList), "115200");
    EXPECT_EQ(dlg.DescribeRun().strModule, "Controller");
    EXPECT_EQ(t.window.GetControlText(ctl::kDescription), "Controller:   Host v3.10   DSP v1.06");
}
} // namespace
