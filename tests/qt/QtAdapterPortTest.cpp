// A USB adapter in the real window's port list, from the list to the open
// line: the entry names the adapter, COM1 stays selected, Upgrade on the
// entry opens the adapter's line (a pty behind a fake device tree) and the
// run hears that the adapter is slow; an adapter pulled after listing gives
// the usual open failure.
#include <QComboBox>
#include <QMessageBox>
#include <QTest>
#include <QTimer>
#include <cstdlib>
#include <gtest/gtest.h>
#include <optional>

#include "QtRunRig.h"
#include "dialog/UpgraderDlg.h"
#include "qt/QtWindow.h"
#include "testing/FakeDeviceTree.h"
#include "testing/PtyPair.h"

namespace {
const QString kEntry = QString::fromUtf8("ttyUSB0 \xE2\x80\x94 FTDI FT232R USB UART (A10K3J2Q)");

// Keeps what the run tells of the line's opening.
class CKeptOpening : public CRunListener {
public:
    std::optional<LineOpening> opening;
    std::vector<std::string> notices;
    void OnLineOpened(const LineOpening& o) override { opening = o; }
    void OnNotice(const std::string& strText) override { notices.push_back(strText); }
};

class QtAdapterPort : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(tree.Ok());
        ASSERT_TRUE(pty.Ok());
        tree.AddUsbSerial("ttyUSB0",
                          {"FTDI", "FT232R USB UART", "A10K3J2Q", "0403", "6001", "ftdi_sio", 16});
        tree.AddNode("ttyUSB0", pty.SlavePath());
        tree.AddById("usb-FTDI_FT232R_USB_UART_A10K3J2Q-if00-port0", "ttyUSB0");
        setenv("KTR84_SYSFS_ROOT", tree.Roots().strSys.c_str(), 1);
        setenv("KTR84_DEV_ROOT", tree.Roots().strDev.c_str(), 1);
        dlg.AddListener(listener);
        // The window's own port source: the devices of the environment's tree.
        window.InitDialog(dlg);
        window.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
        pPorts = qobject_cast<QComboBox*>(window.Control(ctl::kComList));
        ASSERT_NE(pPorts, nullptr);
    }
    void TearDown() override {
        dlg.RemoveListener(listener);
        unsetenv("KTR84_SYSFS_ROOT");
        unsetenv("KTR84_DEV_ROOT");
    }
    // Presses Upgrade; boxes are answered with OK and noted. Once the line is
    // open, what reached the far end is kept and the far end hangs up, which
    // ends the run at once.
    std::vector<QString> PressUpgrade() {
        return PressUpgradeAnsweringOk(window, [&] {
            if (listener.opening && strReceived.empty()) {
                strReceived = pty.Receive();
                pty.CloseMaster();
            }
        });
    }

    CFakeDeviceTree tree;
    CPtyPair pty{true};
    CQtWindow window;
    CUpgraderDlg dlg{window};
    CKeptOpening listener;
    std::string strReceived;
    QComboBox* pPorts = nullptr;
};

TEST_F(QtAdapterPort, EntryNamesTheAdapterAndOpensItsLine) {
    ASSERT_GE(pPorts->count(), 5);
    for (int i = 0; i < 4; ++i)
        EXPECT_EQ(pPorts->itemText(i), QString("COM%1").arg(i + 1));
    EXPECT_EQ(pPorts->itemText(4), kEntry);
    EXPECT_EQ(pPorts->currentText(), "COM1");

    pPorts->setCurrentIndex(4);
    EXPECT_EQ(window.GetControlText(ctl::kComList), kEntry.toStdString());
    const std::vector<QString> boxes = PressUpgrade();

    ASSERT_TRUE(listener.opening);
    EXPECT_EQ(listener.opening->strDevice,
              tree.Roots().strDev + "/serial/by-id/usb-FTDI_FT232R_USB_UART_A10K3J2Q-if00-port0");
    EXPECT_EQ(listener.opening->strAdapter, "FTDI FT232R USB UART (A10K3J2Q)");
    ASSERT_EQ(listener.notices.size(), 1u);
    EXPECT_EQ(listener.notices[0], listener.opening->strSlowAdapter);
    EXPECT_NE(listener.notices[0].find("16 ms"), std::string::npos);
    // The carriage return that wakes the module went down the adapter's line.
    EXPECT_EQ(strReceived.substr(0, 1), "\r");
    for (const QString& strBox : boxes)
        EXPECT_FALSE(strBox.startsWith("Unable to open serial port.")) << strBox.toStdString();
}

TEST_F(QtAdapterPort, AdapterPulledAfterListingIsTheUsualOpenFailure) {
    pPorts->setCurrentIndex(pPorts->findText(kEntry));
    ASSERT_EQ(pPorts->currentText(), kEntry);
    tree.Unplug("ttyUSB0");
    const std::vector<QString> boxes = PressUpgrade();

    EXPECT_FALSE(listener.opening);
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].toStdString(), "Unable to open serial port.\nThere is no device " +
                                          tree.Roots().strDev +
                                          "/ttyUSB0: check the cable and the port chosen.");
    EXPECT_EQ(window.GetControlText(ctl::kStatus), "Initialising");
    EXPECT_TRUE(window.IsEnabled(ctl::kUpgrade));

    // Listed again, the pulled adapter is gone and COM1 is selected.
    window.RefreshPortList();
    EXPECT_EQ(pPorts->findText(kEntry), -1);
    EXPECT_EQ(pPorts->currentText(), "COM1");
}
} // namespace
