// The dialog right after initialisation, and the quit request during a run.
#include <gtest/gtest.h>

#include "dialog/StringTable.h"
#include "dialog/UpgraderDlg.h"
#include "testing/ScriptedWindow.h"

namespace {
TEST(Startup, StateRightAfterInitialisation) {
    CScriptedWindow window;
    CUpgraderDlg dlg(window);
    EXPECT_EQ(dlg.m_strStatus, "Idle");
    EXPECT_EQ(dlg.m_strDescription, str::kTransceiverDesc);
    dlg.OnInitDialog();

    EXPECT_EQ(dlg.m_nModuleKind, Transceiver);
    EXPECT_TRUE(window.IsChecked(ctl::kTransceiver));
    EXPECT_FALSE(window.IsChecked(ctl::kController));
    EXPECT_FALSE(window.IsChecked(ctl::kIpController));
    for (int nId : {ctl::kBootloader, ctl::kKernel, ctl::kFilesystem}) {
        EXPECT_FALSE(window.IsEnabled(nId)) << nId;
        EXPECT_FALSE(window.IsChecked(nId)) << nId;
    }
    for (int nId : {ctl::kTransceiver, ctl::kController, ctl::kIpController, ctl::kUpgrade})
        EXPECT_TRUE(window.IsEnabled(nId)) << nId;
    EXPECT_EQ(window.GetControlText(ctl::kDescription), "Transceiver:  Host v4.74  DSP v2.17");
    EXPECT_EQ(window.GetControlText(ctl::kDetails), "");
    EXPECT_EQ(window.GetControlText(ctl::kStatus), "Idle");
    ASSERT_EQ(window.GetListCount(ctl::kComList), 4);
    for (int i = 0; i < 4; ++i)
        EXPECT_EQ(window.GetListEntry(ctl::kComList, i), "COM" + std::to_string(i + 1));
    EXPECT_EQ(window.GetControlText(ctl::kComList), "COM1");
    ASSERT_EQ(window.GetListCount(ctl::kBaudList), 4);
    EXPECT_EQ(window.GetListEntry(ctl::kBaudList, 0), "9600");
    EXPECT_EQ(window.GetListEntry(ctl::kBaudList, 1), "19200");
    EXPECT_EQ(window.GetListEntry(ctl::kBaudList, 2), "38400");
    EXPECT_EQ(window.GetListEntry(ctl::kBaudList, 3), "115200");
    EXPECT_EQ(window.GetControlText(ctl::kBaudList), "115200");
    EXPECT_TRUE(window.Boxes().empty());
}

TEST(Startup, StringTableTextsByteForByte) {
    EXPECT_STREQ(str::kAboutItem, "&About KTR-84 upgrader...");
    EXPECT_STREQ(str::kKernelRelease, "1.0  (2.4.20)");
    EXPECT_STREQ(str::kBootloaderRelease, "1.0  (0.4.0)");
    EXPECT_STREQ(str::kControllerDesc, "Controller:   Host v3.10   DSP v1.06");
    EXPECT_STREQ(str::kIpControllerDesc, "IP Enabled Controller:    Host v4.3    DSP v1.06");
    EXPECT_EQ(IpBaudRates, (std::vector<std::string>{"9600", "19200", "38400", "57600", "115200"}));
    EXPECT_EQ(std::string(kDefaultPassword).size(), 4u);
    EXPECT_EQ(std::string(kDefaultPassword).find_first_not_of("0123456789"), std::string::npos);
}

TEST(Startup, QuitRequestAsksOnlyDuringARun) {
    CScriptedWindow window;
    CUpgraderDlg dlg(window);
    dlg.OnInitDialog();
    EXPECT_TRUE(dlg.OnQuitRequest());
    EXPECT_TRUE(window.Boxes().empty());

    dlg.m_bRunning = true;
    window.QueueBoxAnswer(IDCANCEL);
    EXPECT_FALSE(dlg.OnQuitRequest());
    EXPECT_FALSE(dlg.m_bQuitRequested);
    window.QueueBoxAnswer(IDOK);
    EXPECT_FALSE(dlg.OnQuitRequest());
    EXPECT_TRUE(dlg.m_bQuitRequested);
    ASSERT_EQ(window.Boxes().size(), 2u);
    EXPECT_EQ(window.Boxes()[0].icon, MsgIcon::Exclamation);
    EXPECT_EQ(window.Boxes()[0].buttons, MsgButtons::OkCancel);
    EXPECT_EQ(window.Boxes()[0].strCaption, ApplicationCaption());

    // Once confirmed, the run is ending: no second question.
    EXPECT_FALSE(dlg.OnQuitRequest());
    EXPECT_EQ(window.Boxes().size(), 2u);
    EXPECT_FALSE(dlg.PumpMessages());
}
} // namespace
