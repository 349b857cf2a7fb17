// The dialog right after initialisation.
#include <gtest/gtest.h>

#include "dialog/UpgraderDlg.h"
#include "testing/ScriptedWindow.h"

namespace {
TEST(Startup, StateRightAfterInitialisation) {
    CScriptedWindow window;
    CUpgraderDlg dlg(window);
    EXPECT_EQ(dlg.m_strStatus, "Idle");
    EXPECT_EQ(dlg.m_strDescription, "Transceiver:  Host v4.74  DSP v2.17");
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
} // namespace
