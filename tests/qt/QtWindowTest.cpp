// The real Qt main window: start-up state, tab order, clicks, the details
// text, the port list and a screenshot.
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QStyle>
#include <QStyleOptionButton>
#include <QStyleOptionComboBox>
#include <QTest>
#include <gtest/gtest.h>

#include "dialog/StringTable.h"
#include "dialog/UpgraderDlg.h"
#include "qt/QtWindow.h"

namespace {
class QtWindowTest : public ::testing::Test {
protected:
    void SetUp() override {
        window.SetPortSource([this] { return extraPorts; });
        window.InitDialog(dlg);
        window.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    }
    template <class T> T* Get(int nId) {
        auto* p = qobject_cast<T*>(window.Control(nId));
        EXPECT_NE(p, nullptr) << nId;
        return p;
    }
    void Click(int nId) {
        QWidget* pWidget = window.Control(nId);
        QTest::mouseClick(pWidget, Qt::LeftButton, {}, QPoint(8, pWidget->height() / 2));
    }
    QStringList Entries(int nId) {
        QStringList out;
        for (int i = 0; i < Get<QComboBox>(nId)->count(); ++i)
            out << Get<QComboBox>(nId)->itemText(i);
        return out;
    }

    std::vector<std::string> extraPorts;
    CQtWindow window;
    CUpgraderDlg dlg{window};
};

TEST_F(QtWindowTest, StateRightAfterStart) {
    EXPECT_EQ(window.windowTitle(), "KTR-84 Upgrader 3.18 (April 2010)");
    EXPECT_TRUE(Get<QRadioButton>(ctl::kTransceiver)->isChecked());
    EXPECT_FALSE(Get<QRadioButton>(ctl::kController)->isChecked());
    EXPECT_FALSE(Get<QRadioButton>(ctl::kIpController)->isChecked());
    for (int nId : {ctl::kBootloader, ctl::kKernel, ctl::kFilesystem}) {
        EXPECT_FALSE(Get<QCheckBox>(nId)->isEnabled()) << nId;
        EXPECT_FALSE(Get<QCheckBox>(nId)->isChecked()) << nId;
    }
    EXPECT_EQ(Get<QLabel>(ctl::kDescription)->text(), "Transceiver:  Host v4.74  DSP v2.17");
    EXPECT_EQ(Get<QLabel>(ctl::kDetails)->text(), "");
    EXPECT_EQ(Get<QLabel>(ctl::kStatus)->text(), "Idle");
    EXPECT_EQ(Entries(ctl::kComList), (QStringList{"COM1", "COM2", "COM3", "COM4"}));
    EXPECT_EQ(Get<QComboBox>(ctl::kComList)->currentText(), "COM1");
    EXPECT_EQ(Entries(ctl::kBaudList), (QStringList{"9600", "19200", "38400", "115200"}));
    EXPECT_EQ(Get<QComboBox>(ctl::kBaudList)->currentText(), "115200");
    EXPECT_EQ(Get<QProgressBar>(ctl::kProgress)->value(), 0);
    EXPECT_TRUE(Get<QPushButton>(ctl::kUpgrade)->isEnabled());
    EXPECT_TRUE(Get<QPushButton>(ctl::kOk)->isDefault());
    EXPECT_EQ(Get<QPushButton>(ctl::kOk)->text(), "&Quit");
    EXPECT_TRUE(Get<QPushButton>(ctl::kHelp)->isVisible());
    EXPECT_FALSE(Get<QPushButton>(ctl::kCancel)->isVisible());
    EXPECT_EQ(window.focusWidget(), window.Control(ctl::kTransceiver));
}

TEST_F(QtWindowTest, TabOrderFollowsTheTemplate) {
    const std::vector<int> expected = {ctl::kTransceiver, ctl::kController, ctl::kIpController,
                                       ctl::kBootloader,  ctl::kKernel,     ctl::kFilesystem,
                                       ctl::kBaudList,    ctl::kComList,    ctl::kUpgrade,
                                       ctl::kOk,          ctl::kHelp,       ctl::kCancel};
    std::vector<int> order;
    QWidget* pStart = window.Control(ctl::kTransceiver);
    QWidget* pWidget = pStart;
    do {
        for (int nId : expected)
            if (window.Control(nId) == pWidget)
                order.push_back(nId);
        pWidget = pWidget->nextInFocusChain();
    } while (pWidget != pStart);
    EXPECT_EQ(order, expected);
}

TEST_F(QtWindowTest, ClickingEachRadioAndCheckBox) {
    Get<QComboBox>(ctl::kBaudList)->setCurrentText("38400");
    Click(ctl::kController);
    EXPECT_TRUE(Get<QRadioButton>(ctl::kController)->isChecked());
    EXPECT_EQ(dlg.m_nModuleKind, Controller);
    EXPECT_EQ(Get<QLabel>(ctl::kDescription)->text(), "Controller:   Host v3.10   DSP v1.06");
    EXPECT_EQ(Get<QComboBox>(ctl::kBaudList)->currentText(), "38400");

    Click(ctl::kIpController);
    EXPECT_EQ(dlg.m_nModuleKind, IpController);
    EXPECT_FALSE(Get<QRadioButton>(ctl::kController)->isChecked());
    EXPECT_EQ(Entries(ctl::kBaudList), (QStringList{"9600", "19200", "38400", "57600", "115200"}));
    EXPECT_EQ(Get<QComboBox>(ctl::kBaudList)->currentText(), "115200");
    for (int nId : {ctl::kBootloader, ctl::kKernel, ctl::kFilesystem})
        EXPECT_TRUE(Get<QCheckBox>(nId)->isEnabled());

    Click(ctl::kFilesystem);
    EXPECT_EQ(Get<QLabel>(ctl::kDetails)->text(), "Filesystem: IP Controller Release 4.3");
    Click(ctl::kBootloader);
    Click(ctl::kKernel);
    EXPECT_TRUE(Get<QCheckBox>(ctl::kKernel)->isChecked());
    Click(ctl::kFilesystem);
    EXPECT_FALSE(Get<QCheckBox>(ctl::kFilesystem)->isChecked());

    Get<QComboBox>(ctl::kBaudList)->setCurrentText("57600");
    Click(ctl::kTransceiver);
    EXPECT_EQ(dlg.m_nModuleKind, Transceiver);
    EXPECT_EQ(Entries(ctl::kBaudList), (QStringList{"9600", "19200", "38400", "115200"}));
    EXPECT_EQ(Get<QComboBox>(ctl::kBaudList)->currentText(), "115200");
    EXPECT_EQ(Get<QLabel>(ctl::kDetails)->text(), "");
    EXPECT_FALSE(Get<QCheckBox>(ctl::kBootloader)->isEnabled());
    EXPECT_TRUE(Get<QCheckBox>(ctl::kBootloader)->isChecked()); // kept while disabled

    // A click on a disabled box does nothing.
    Click(ctl::kKernel);
    EXPECT_TRUE(Get<QCheckBox>(ctl::kKernel)->isChecked());
    EXPECT_EQ(Get<QLabel>(ctl::kDetails)->text(), "");
}

TEST_F(QtWindowTest, DetailsShowEachItemOnItsOwnLine) {
    Click(ctl::kIpController);
    Click(ctl::kBootloader);
    Click(ctl::kKernel);
    Click(ctl::kFilesystem);
    auto* pDetails = Get<QLabel>(ctl::kDetails);
    EXPECT_EQ(pDetails->text(), "Bootloader: 1.0  (0.4.0)\nKernel: 1.0  (2.4.20)\n"
                                "Filesystem: IP Controller Release 4.3");
    // The three lines fit the control as laid out.
    EXPECT_GE(pDetails->height(), 3 * pDetails->fontMetrics().lineSpacing());
    // The data exchange gives back the text with its carriage returns.
    dlg.UpdateData(true);
    EXPECT_EQ(dlg.m_strDetails, "Bootloader: 1.0  (0.4.0)\rKernel: 1.0  (2.4.20)\r"
                                "Filesystem: IP Controller Release 4.3");
    EXPECT_EQ(dlg.m_strDescription, str::kIpControllerDesc);
    EXPECT_EQ(dlg.m_strStatus, "Idle");
}

TEST_F(QtWindowTest, PortListOffersDevicesAndSimulatorsAfterCom4) {
    extraPorts = {"ttyUSB0", "Simulated Transceiver (4242)"};
    window.RefreshPortList();
    EXPECT_EQ(Entries(ctl::kComList), (QStringList{"COM1", "COM2", "COM3", "COM4", "ttyUSB0",
                                                   "Simulated Transceiver (4242)"}));
    EXPECT_EQ(Get<QComboBox>(ctl::kComList)->currentText(), "COM1");

    // The selected entry is what Upgrade opens, and survives a refresh.
    Get<QComboBox>(ctl::kComList)->setCurrentIndex(5);
    window.RefreshPortList();
    EXPECT_EQ(window.GetControlText(ctl::kComList), "Simulated Transceiver (4242)");
    EXPECT_EQ(Get<QComboBox>(ctl::kComList)->count(), 6);

    // The simulator ended: its entry goes and the selection falls back to COM1.
    extraPorts = {"ttyUSB0"};
    window.RefreshPortList();
    EXPECT_EQ(Get<QComboBox>(ctl::kComList)->count(), 5);
    EXPECT_EQ(window.GetControlText(ctl::kComList), "COM1");
}

// The closed list shows a long entry whole where the row has room, and keeps
// to the row: right of the baud list, inside the window's margin.
TEST_F(QtWindowTest, TheClosedPortListWidensForItsEntry) {
    const std::string strLong = "ttyUSB0 \xE2\x80\x94 FTDI FT232R USB UART (A10K3J2Q) "
                                "on the bench's second hub, port four";
    extraPorts = {"Simulated Transceiver (19937)", strLong};
    window.RefreshPortList();
    auto* pList = Get<QComboBox>(ctl::kComList);
    const QRect place = pList->geometry();
    // Whether the text fits where the style draws the label: its edit field
    // less a pixel either side.
    auto shownWhole = [pList] {
        QStyleOptionComboBox option;
        option.initFrom(pList);
        const int nRoom =
            pList->style()
                ->subControlRect(QStyle::CC_ComboBox, &option, QStyle::SC_ComboBoxEditField, pList)
                .width() -
            2;
        return pList->fontMetrics().elidedText(pList->currentText(), Qt::ElideRight, nRoom) ==
               pList->currentText();
    };

    pList->setCurrentIndex(4);
    EXPECT_GT(pList->width(), place.width());
    EXPECT_TRUE(shownWhole());
    EXPECT_LE(std::abs(pList->geometry().center().x() - place.center().x()), 1);

    // Longer than the row: as wide as the row lets it be.
    pList->setCurrentIndex(5);
    const QRect row(window.Control(ctl::kUpgrade)->geometry().left(), place.top(),
                    window.Control(ctl::kProgress)->geometry().right() + 1 -
                        window.Control(ctl::kUpgrade)->geometry().left(),
                    place.height());
    EXPECT_EQ(pList->geometry(), row);
    EXPECT_FALSE(shownWhole());

    pList->setCurrentIndex(0);
    EXPECT_EQ(pList->geometry(), place);
}

TEST_F(QtWindowTest, ControlsStayInsideTheWindow) {
    for (int nId : {ctl::kTransceiver, ctl::kController, ctl::kIpController, ctl::kBootloader,
                    ctl::kKernel, ctl::kFilesystem, ctl::kBaudList, ctl::kComList, ctl::kUpgrade,
                    ctl::kStatus, ctl::kProgress, ctl::kOk, ctl::kHelp}) {
        EXPECT_TRUE(window.rect().contains(window.Control(nId)->geometry())) << nId;
    }
    // The module radios do not run into the Quit/Help column.
    EXPECT_LT(window.Control(ctl::kIpController)->geometry().right(),
              window.Control(ctl::kOk)->geometry().left());
}

// The screenshot shows the choices made: the ticked boxes' indicators are not
// the unticked one's, and the file reads back as the grab.
TEST_F(QtWindowTest, WritesAScreenshotOfTheMainWindow) {
    Click(ctl::kIpController);
    Click(ctl::kBootloader);
    Click(ctl::kFilesystem);
    const QImage shot = window.grab().toImage();
    auto indicator = [&](int nId) {
        QCheckBox* pBox = Get<QCheckBox>(nId);
        QStyleOptionButton option;
        option.initFrom(pBox);
        const QRect rect =
            pBox->style()->subElementRect(QStyle::SE_CheckBoxIndicator, &option, pBox);
        return shot.copy(rect.translated(pBox->mapTo(&window, QPoint(0, 0))));
    };
    EXPECT_NE(indicator(ctl::kBootloader), indicator(ctl::kKernel));
    EXPECT_NE(indicator(ctl::kFilesystem), indicator(ctl::kKernel));
    ASSERT_TRUE(shot.save(KTR84_SCREENSHOT, "PNG"));
    EXPECT_EQ(QImage(KTR84_SCREENSHOT).convertToFormat(shot.format()), shot);
}
} // namespace
