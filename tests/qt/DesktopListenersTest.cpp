// What the desktop window adds to every run: a whole run of the real window
// against the simulator leaves its record in the records' folder, and a
// machine without a system bus costs one notice in it, not the run.
#include <QComboBox>
#include <QDBusConnection>
#include <QLabel>
#include <QMessageBox>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <sstream>

#include "QtRunRig.h"
#include "StateHome.h"
#include "dialog/UpgraderDlg.h"
#include "qt/DesktopListeners.h"
#include "qt/QtWindow.h"
#include "sim/ModuleSim.h"
#include "testing/ShortImages.h"

namespace {
std::string ReadAll(const std::filesystem::path& path) {
    std::ifstream in(path);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

TEST(DesktopListeners, AWholeRunLeavesItsRecordAndTheNoticeOfNoBus) {
    CStateHome home;
    SimOptions options;
    options.module = SimModule::Transceiver;
    options.dFlashWriteSeconds = 0.2;
    options.dRestartWindowSeconds = 5.0;
    options.nUsbLatencyMs = 16;
    CModuleSim sim(options);
    ASSERT_TRUE(sim.Start());

    CQtWindow window;
    CUpgraderDlg dlg(window);
    const QDBusConnection noBus =
        QDBusConnection::connectToBus(QString("unix:path=/nonexistent/ktr84-bus"), "no-bus");
    std::ostringstream errors;
    CDesktopListeners desktop(dlg, window, noBus, errors);
    CShortLegacyImages images;
    dlg.m_lasting.m_image.m_findImage = [&](std::string_view name) { return images.Find(name); };
    ASSERT_TRUE(ShowWithPort(window, dlg, sim.DevicePath()));

    const std::vector<QString> boxes = PressUpgradeAnsweringOk(window);
    QDBusConnection::disconnectFromBus("no-bus");

    EXPECT_EQ(boxes, std::vector<QString>{"Upload Complete!"});
    EXPECT_EQ(dlg.LastRunEnd().outcome, RunOutcome::Complete);
    EXPECT_FALSE(desktop.Inhibitor().Held());
    EXPECT_EQ(errors.str(), "");
    EXPECT_EQ(window.TimeLeftLabel()->text(), ""); // cleared at the run's end

    // One record, in the folder under XDG_STATE_HOME.
    const std::filesystem::path path = desktop.Recorder().Path();
    ASSERT_FALSE(path.empty());
    EXPECT_EQ(path.parent_path(), home.Records());
    size_t nFiles = 0;
    for (const auto& entry : std::filesystem::directory_iterator(home.Records()))
        nFiles += entry.is_regular_file();
    EXPECT_EQ(nFiles, 1u);
    const std::string strRecord = ReadAll(path);
    EXPECT_NE(strRecord.find("module: Transceiver\n"), std::string::npos) << strRecord;
    const size_t nOpen = strRecord.find(" open ");
    const size_t nNotice = strRecord.find(" notice  No sleep inhibitor;");
    ASSERT_NE(nOpen, std::string::npos) << strRecord;
    ASSERT_NE(nNotice, std::string::npos) << strRecord;
    EXPECT_LT(nOpen, nNotice);
    // The line reopens at the upload rate; the notice is not repeated.
    EXPECT_EQ(strRecord.find(" notice  No sleep inhibitor;", nNotice + 1), std::string::npos);
    EXPECT_NE(strRecord.find(" outcome complete"), std::string::npos) << strRecord;
}
} // namespace
