// Module radios, package check boxes and baud lists through the scripted
// window: every row of the selection table and its edge cases.
#include <algorithm>
#include <gtest/gtest.h>

#include "dialog/StringTable.h"
#include "dialog/UpgraderDlg.h"
#include "testing/ScriptedWindow.h"

namespace {
const std::string kBootloaderLine = "Bootloader: 1.0  (0.4.0)";
const std::string kKernelLine = "Kernel: 1.0  (2.4.20)";
const std::string kFilesystemLine = "Filesystem: IP Controller Release 4.3";
const std::vector<std::string> kLegacyRates = {"9600", "19200", "38400", "115200"};
const std::vector<std::string> kIpRates = {"9600", "19200", "38400", "57600", "115200"};

class ModuleSelection : public ::testing::Test {
protected:
    void SetUp() override { dlg.OnInitDialog(); }

    // What an auto radio button does on a click, then the dialog's handler.
    void ClickRadio(int nId) {
        for (int n : {ctl::kTransceiver, ctl::kController, ctl::kIpController})
            window.SetChecked(n, n == nId);
        if (nId == ctl::kTransceiver)
            dlg.OnTransceiver();
        else if (nId == ctl::kController)
            dlg.OnController();
        else
            dlg.OnIpController();
    }
    // What an auto check box does on a click; disabled boxes take no click.
    void ClickCheck(int nId) {
        ASSERT_TRUE(window.IsEnabled(nId));
        window.SetChecked(nId, !window.IsChecked(nId));
        dlg.OnImageCheck();
    }
    std::vector<std::string> Entries(int nId) {
        std::vector<std::string> out;
        for (int i = 0; i < window.GetListCount(nId); ++i)
            out.push_back(window.GetListEntry(nId, i));
        return out;
    }
    void SelectBaud(const std::string& strRate) {
        const auto entries = Entries(ctl::kBaudList);
        auto it = std::find(entries.begin(), entries.end(), strRate);
        ASSERT_NE(it, entries.end());
        window.SetListSelection(ctl::kBaudList, static_cast<int>(it - entries.begin()));
    }
    bool ChecksEnabled(bool bEnabled) {
        return window.IsEnabled(ctl::kBootloader) == bEnabled &&
               window.IsEnabled(ctl::kKernel) == bEnabled &&
               window.IsEnabled(ctl::kFilesystem) == bEnabled;
    }
    std::string Description() { return window.GetControlText(ctl::kDescription); }
    std::string Details() { return window.GetControlText(ctl::kDetails); }
    std::string Baud() { return window.GetControlText(ctl::kBaudList); }

    CScriptedWindow window;
    CUpgraderDlg dlg{window};
};

TEST_F(ModuleSelection, LegacyKindsKeepTheBaudListAndItsSelection) {
    SelectBaud("38400");
    ClickRadio(ctl::kController);
    EXPECT_EQ(dlg.m_nModuleKind, Controller);
    EXPECT_EQ(Description(), "Controller:   Host v3.10   DSP v1.06");
    EXPECT_EQ(Details(), "");
    EXPECT_TRUE(ChecksEnabled(false));
    EXPECT_EQ(Entries(ctl::kBaudList), kLegacyRates);
    EXPECT_EQ(Baud(), "38400");

    ClickRadio(ctl::kTransceiver);
    EXPECT_EQ(dlg.m_nModuleKind, Transceiver);
    EXPECT_EQ(Description(), "Transceiver:  Host v4.74  DSP v2.17");
    EXPECT_EQ(Baud(), "38400");

    // Clicking the kind already chosen changes nothing either.
    ClickRadio(ctl::kTransceiver);
    EXPECT_EQ(Baud(), "38400");
    EXPECT_EQ(Entries(ctl::kBaudList).size(), 4u);
}

TEST_F(ModuleSelection, IpControllerOffersItsRatesAndEnablesTheChecks) {
    for (int nFrom : {ctl::kTransceiver, ctl::kController}) {
        ClickRadio(nFrom);
        SelectBaud("9600");
        ClickRadio(ctl::kIpController);
        EXPECT_EQ(dlg.m_nModuleKind, IpController);
        EXPECT_EQ(Description(), "IP Enabled Controller:    Host v4.3    DSP v1.06");
        EXPECT_EQ(Details(), ""); // no box checked
        EXPECT_TRUE(ChecksEnabled(true));
        EXPECT_EQ(Entries(ctl::kBaudList), kIpRates);
        EXPECT_EQ(Baud(), "115200");
    }
    // Chosen again: the list is refilled, not extended, and 115200 is back.
    SelectBaud("57600");
    ClickRadio(ctl::kIpController);
    EXPECT_EQ(Entries(ctl::kBaudList), kIpRates);
    EXPECT_EQ(Baud(), "115200");
}

TEST_F(ModuleSelection, LeavingIpControllerRestoresTheLegacyRates) {
    for (int nTo : {ctl::kTransceiver, ctl::kController}) {
        ClickRadio(ctl::kIpController);
        SelectBaud("57600");
        ClickRadio(nTo);
        EXPECT_EQ(Entries(ctl::kBaudList), kLegacyRates);
        EXPECT_EQ(Baud(), "115200");
        EXPECT_TRUE(ChecksEnabled(false));
        EXPECT_EQ(Details(), "");
    }
}

TEST_F(ModuleSelection, ChecksAreKeptWhileDisabledAndShownAgain) {
    ClickRadio(ctl::kIpController);
    ClickCheck(ctl::kKernel);
    ClickRadio(ctl::kController);
    EXPECT_TRUE(window.IsChecked(ctl::kKernel));
    EXPECT_FALSE(window.IsEnabled(ctl::kKernel));
    EXPECT_EQ(Details(), "");
    ClickRadio(ctl::kIpController);
    EXPECT_EQ(Details(), kKernelLine + "\r");
}

TEST_F(ModuleSelection, DetailsFollowTheChecks) {
    ClickRadio(ctl::kIpController);
    SelectBaud("19200");

    ClickCheck(ctl::kFilesystem);
    EXPECT_EQ(Details(), kFilesystemLine); // no carriage return after the last item

    ClickCheck(ctl::kFilesystem);
    EXPECT_EQ(Details(), "");

    ClickCheck(ctl::kBootloader);
    ClickCheck(ctl::kKernel);
    EXPECT_EQ(Details(), kBootloaderLine + "\r" + kKernelLine + "\r");

    ClickCheck(ctl::kFilesystem);
    EXPECT_EQ(Details(), kBootloaderLine + "\r" + kKernelLine + "\r" + kFilesystemLine);

    ClickCheck(ctl::kBootloader);
    EXPECT_EQ(Details(), kKernelLine + "\r" + kFilesystemLine);

    // Check boxes shape the description only; the rate stays.
    EXPECT_EQ(Description(), "IP Enabled Controller:    Host v4.3    DSP v1.06");
    EXPECT_EQ(Baud(), "19200");
    EXPECT_EQ(dlg.m_nModuleKind, IpController);
}

TEST_F(ModuleSelection, DetailsKeepTheOperatorsOtherTexts) {
    // The handlers read the controls back first: a status on screen survives.
    dlg.SetStatus("Upload Complete!");
    ClickRadio(ctl::kIpController);
    ClickRadio(ctl::kTransceiver);
    EXPECT_EQ(window.GetControlText(ctl::kStatus), "Upload Complete!");
}

TEST_F(ModuleSelection, EnableOperationsLeaveTheChecksAlone) {
    ClickRadio(ctl::kIpController);
    ClickCheck(ctl::kBootloader);
    dlg.EnableImageChecks(false);
    dlg.EnableModuleRadios(false);
    for (int n : {ctl::kTransceiver, ctl::kController, ctl::kIpController})
        EXPECT_FALSE(window.IsEnabled(n));
    EXPECT_TRUE(ChecksEnabled(false));
    EXPECT_TRUE(window.IsChecked(ctl::kIpController));
    EXPECT_TRUE(window.IsChecked(ctl::kBootloader));
    dlg.EnableModuleRadios(true);
    for (int n : {ctl::kTransceiver, ctl::kController, ctl::kIpController})
        EXPECT_TRUE(window.IsEnabled(n));
    EXPECT_TRUE(window.IsChecked(ctl::kIpController));
}

TEST_F(ModuleSelection, FillBaudListEmptiesFirstAndSelectLastCopesWithEmpty) {
    window.SetListSelection(ctl::kBaudList, 1);
    dlg.FillBaudList({});
    EXPECT_EQ(window.GetListCount(ctl::kBaudList), 0);
    dlg.SelectLastBaud();
    EXPECT_EQ(window.GetListSelection(ctl::kBaudList), -1);
    dlg.FillBaudList(IpBaudRates);
    dlg.FillBaudList(LegacyBaudRates);
    EXPECT_EQ(Entries(ctl::kBaudList), kLegacyRates);
    dlg.SelectLastBaud();
    EXPECT_EQ(Baud(), "115200");
}
} // namespace
