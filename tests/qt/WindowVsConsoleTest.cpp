// One Transceiver upgrade made twice, through the Qt window and through the
// console program, each against a fresh simulator writing its transcript: the
// module hears the same commands, at the same rates, in the same order, and
// they are those the Windows window's run sends (its test holds its run
// against the same file).
#include <QComboBox>
#include <QMessageBox>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

#include "ChildProcess.h"
#include "QtRunRig.h"
#include "SimProcess.h"
#include "dialog/UpgraderDlg.h"
#include "qt/QtWindow.h"
#include "sim/ModuleSim.h"
#include "testing/ShortImages.h"

namespace {
SimOptions TransceiverWithTranscript(const std::filesystem::path& transcript) {
    SimOptions options;
    options.module = SimModule::Transceiver;
    options.dFlashWriteSeconds = 0.2;
    options.dRestartWindowSeconds = 5.0; // a loaded test machine is slow to answer
    options.strTranscriptFile = transcript.string();
    return options;
}

// The window's run, every box answered with OK; returns the boxes' texts.
std::vector<QString> UpgradeThroughTheWindow(const std::string& strPort) {
    CQtWindow window;
    CUpgraderDlg dlg(window);
    CShortLegacyImages images;
    dlg.m_lasting.m_image.m_findImage = [&](std::string_view name) { return images.Find(name); };
    EXPECT_TRUE(ShowWithPort(window, dlg, strPort));
    return PressUpgradeAnsweringOk(window);
}

TEST(WindowVsConsole, TheModuleHearsTheSameUpgradeFromBoth) {
    CTempFolder dir("window-vs-console");
    std::vector<SimCommand> fromWindow, fromConsole;
    {
        CModuleSim sim(TransceiverWithTranscript(dir.Path() / "window.transcript"));
        ASSERT_TRUE(sim.Start());
        EXPECT_EQ(UpgradeThroughTheWindow(sim.DevicePath()),
                  std::vector<QString>{"Upload Complete!"});
        EXPECT_TRUE(sim.MergeWritten());
    }
    {
        CModuleSim sim(TransceiverWithTranscript(dir.Path() / "console.transcript"));
        ASSERT_TRUE(sim.Start());
        CChildProcess console;
        ASSERT_TRUE(console.Start(
            {KTR84_UPGRADE_TESTING, "--module", "transceiver", "--port", sim.DevicePath()},
            {"XDG_STATE_HOME=" + (dir.Path() / "state").string()}, dir.Path() / "console.out",
            dir.Path() / "console.err"));
        EXPECT_EQ(console.Wait(), 0) << ReadFile(dir.Path() / "console.err");
        EXPECT_TRUE(sim.MergeWritten());
    }
    fromWindow = ParseTranscript(ReadFile(dir.Path() / "window.transcript"));
    fromConsole = ParseTranscript(ReadFile(dir.Path() / "console.transcript"));
    ASSERT_GT(fromWindow.size(), 5u) << CommandsText(fromWindow);
    EXPECT_EQ(fromConsole, fromWindow)
        << "console: " << CommandsText(fromConsole) << "\nwindow: " << CommandsText(fromWindow);
    std::string strCommands;
    for (const SimCommand& command : fromWindow)
        strCommands += std::to_string(command.nBaud) + " " + command.strText + "\n";
    EXPECT_EQ(strCommands, ReadFile(KTR84_TRANSCEIVER_COMMANDS));
}
} // namespace
