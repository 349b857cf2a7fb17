// A whole Transceiver upgrade through the real window against the module
// simulator: the run executes inside the Upgrade click, the window keeps
// pumping, and every control comes back when it ends.
#include <QComboBox>
#include <QLabel>
#include <QMessageBox>
#include <QProgressBar>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>
#include <memory>
#include <set>

#include "QtRunRig.h"
#include "dialog/UpgraderDlg.h"
#include "qt/QtWindow.h"
#include "record/RunListener.h"
#include "sim/ModuleSim.h"
#include "testing/LineLoss.h"
#include "testing/ShortImages.h"

namespace {
// The texts the window's status line shows, each as the run sets it.
struct CShownStatuses : CRunListener {
    explicit CShownStatuses(CQtWindow& w) : window(w) {}
    void OnStatus(const std::string&) override {
        statuses.insert(window.GetControlText(ctl::kStatus));
    }
    CQtWindow& window;
    std::set<std::string> statuses;
};

// The simulator paces its line like a UART; a short image keeps the upload to
// seconds.
TEST(QtUpgradeRun, TransceiverUpgradeAgainstTheSimulator) {
    SimOptions options;
    options.module = SimModule::Transceiver;
    options.dFlashWriteSeconds = 0.2;
    options.dRestartWindowSeconds = 5.0; // a loaded test machine is slow to answer
    options.nUsbLatencyMs = 16;
    CModuleSim sim(options);
    ASSERT_TRUE(sim.Start());

    CQtWindow window;
    CUpgraderDlg dlg(window);
    CShortLegacyImages images;
    dlg.m_lasting.m_image.m_findImage = [&](std::string_view name) { return images.Find(name); };
    ASSERT_TRUE(ShowWithPort(window, dlg, sim.DevicePath()));

    // Watches the window while the run goes on: the controls' states and the
    // statuses are noted.
    CShownStatuses shown(window);
    dlg.AddListener(shown);
    bool bLockedDuringRun = true;
    int nTicksDuringRun = 0;
    const std::vector<QString> boxes = PressUpgradeAnsweringOk(window, [&] {
        if (!dlg.IsRunning())
            return;
        ++nTicksDuringRun;
        for (int nId : {ctl::kUpgrade, ctl::kTransceiver, ctl::kController, ctl::kIpController})
            bLockedDuringRun = bLockedDuringRun && !window.IsEnabled(nId);
    });

    EXPECT_EQ(boxes, std::vector<QString>{"Upload Complete!"});
    EXPECT_TRUE(sim.MergeWritten());
    EXPECT_GT(nTicksDuringRun, 0); // timers ran while the run waited
    EXPECT_TRUE(bLockedDuringRun);
    for (const char* pszStatus :
         {"Bootloader Login Successful!", "Commencing Merge File upload..."})
        EXPECT_TRUE(shown.statuses.count(pszStatus)) << pszStatus;
    EXPECT_FALSE(dlg.IsRunning());
    EXPECT_EQ(window.GetControlText(ctl::kStatus), "Idle");
    for (int nId : {ctl::kUpgrade, ctl::kTransceiver, ctl::kController, ctl::kIpController})
        EXPECT_TRUE(window.IsEnabled(nId)) << nId;
    EXPECT_FALSE(window.IsEnabled(ctl::kBootloader));
    EXPECT_TRUE(window.isVisible());
}

// The module's end of the line closes during the upload: the window shows why
// at once and takes the next run.
TEST(QtUpgradeRun, LineThatVanishesMidUploadGivesTheWindowBack) {
    SimOptions options;
    options.module = SimModule::Transceiver;
    options.dRestartWindowSeconds = 5.0;
    auto pSim = std::make_unique<CModuleSim>(options);
    ASSERT_TRUE(pSim->Start());
    const std::string strPath = pSim->DevicePath();

    CQtWindow window;
    CUpgraderDlg dlg(window);
    CShortLegacyImages images(2000);
    dlg.m_lasting.m_image.m_findImage = [&](std::string_view name) { return images.Find(name); };
    ASSERT_TRUE(ShowWithPort(window, dlg, strPath));

    // The first tick seen in the upload pulls the plug.
    CLineLoss loss;
    const std::vector<QString> boxes = PressUpgradeAnsweringOk(window, [&] {
        loss.Look(window.GetControlText(ctl::kStatus), "Uploading ", [&] { pSim.reset(); });
    });

    std::vector<std::string> boxTexts;
    for (const QString& strBox : boxes)
        boxTexts.push_back(strBox.toStdString());
    EXPECT_EQ(loss.Misreport(boxTexts, window.GetControlText(ctl::kStatus)), "");
    EXPECT_EQ(dlg.m_comm.m_bConnected, 0);
    for (int nId : {ctl::kUpgrade, ctl::kTransceiver, ctl::kController, ctl::kIpController})
        EXPECT_TRUE(window.IsEnabled(nId)) << nId;
}
} // namespace
