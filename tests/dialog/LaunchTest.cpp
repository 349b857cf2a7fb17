#include <gtest/gtest.h>

#include "dialog/UpgraderDlg.h"
#include "testing/ScriptedWindow.h"

namespace {
void SelectPort(CScriptedWindow& window, const std::string& strPort) {
    window.AddListEntry(ctl::kComList, strPort);
    window.SetListSelection(ctl::kComList, window.GetListCount(ctl::kComList) - 1);
}
} // namespace

TEST(Launch, MissingDeviceShowsBoxKeepsInitialisingAndGivesControlsBack) {
    CScriptedWindow window;
    CUpgraderDlg dlg(window);
    dlg.OnInitDialog();
    SelectPort(window, "/dev/ktr84-no-such-port");
    dlg.OnUpgrade();

    auto boxes = window.Boxes();
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].strText.rfind("Unable to open serial port.", 0), 0u);
    EXPECT_NE(boxes[0].strText.find("\nThere is no device /dev/ktr84-no-such-port"),
              std::string::npos);
    EXPECT_EQ(boxes[0].buttons, MsgButtons::Ok);
    EXPECT_EQ(boxes[0].strCaption, ApplicationCaption());
    EXPECT_EQ(dlg.m_strStatus, "Initialising");
    EXPECT_EQ(window.Statuses().back(), "Initialising");
    EXPECT_FALSE(dlg.IsRunning());
    EXPECT_TRUE(window.IsEnabled(ctl::kUpgrade));
    EXPECT_TRUE(window.IsEnabled(ctl::kTransceiver));
    EXPECT_TRUE(window.IsEnabled(ctl::kIpController));
    EXPECT_FALSE(window.IsEnabled(ctl::kFilesystem)); // Transceiver selected
}

TEST(Launch, SecondPressDuringARunStartsNothing) {
    CScriptedWindow window;
    CUpgraderDlg dlg(window);
    dlg.OnInitDialog();
    SelectPort(window, "/dev/ktr84-no-such-port");
    int nNested = 0;
    window.onShown = [&](const ShownEvent& e) {
        // The operator presses Upgrade again while the first run is busy.
        if (e.kind == ShownEvent::Status && e.strText == "Initialising" && nNested++ == 0)
            dlg.OnUpgrade();
    };
    dlg.OnUpgrade();
    int nInitialising = 0;
    for (const auto& e : window.events)
        nInitialising += e.kind == ShownEvent::Status && e.strText == "Initialising";
    EXPECT_EQ(window.Boxes().size(), 1u);
    EXPECT_EQ(nNested, 1);
    EXPECT_EQ(nInitialising, 1);
}

// Quit asks only during a run; once confirmed, the run ends after its pass,
// asks nothing more, and the quit is posted when it has returned.
TEST(Launch, QuitConfirmedDuringRunPostsQuitWhenTheRunEnds) {
    CScriptedWindow window;
    CUpgraderDlg dlg(window);
    dlg.OnInitDialog();
    EXPECT_TRUE(dlg.OnQuitRequest()); // idle: quit at once, no question
    EXPECT_TRUE(window.Boxes().empty());

    SelectPort(window, "/dev/ktr84-no-such-port");
    window.QueueBoxAnswer(IDCANCEL);
    window.QueueBoxAnswer(IDOK);
    window.onShown = [&](const ShownEvent& e) {
        if (e.kind == ShownEvent::Status && e.strText == "Initialising") {
            EXPECT_FALSE(dlg.OnQuitRequest()); // declined
            EXPECT_FALSE(dlg.m_bQuitRequested);
            EXPECT_TRUE(dlg.PumpMessages());
            EXPECT_FALSE(dlg.OnQuitRequest()); // confirmed: the run stops first
            EXPECT_TRUE(dlg.m_bQuitRequested);
            EXPECT_FALSE(dlg.OnQuitRequest()); // no second question
            EXPECT_EQ(window.Boxes().size(), 2u);
            EXPECT_FALSE(dlg.PumpMessages());
        }
    };
    dlg.OnUpgrade();
    EXPECT_TRUE(window.QuitPosted());
    auto boxes = window.Boxes();
    ASSERT_GE(boxes.size(), 2u);
    for (size_t i = 0; i < 2; ++i) {
        EXPECT_EQ(boxes[i].buttons, MsgButtons::OkCancel);
        EXPECT_EQ(boxes[i].icon, MsgIcon::Exclamation);
        EXPECT_EQ(boxes[i].strCaption, ApplicationCaption());
    }
}
