// Quit pressed in the window mid-upload of an IP-Enabled Controller, and
// confirmed: the run ends the monitor's download, brings it back to 9600 and
// boots the module before the window closes, as a stop from the console
// program does. The simulator paces its line like a UART.
#include <QAbstractButton>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

#include "QtRunRig.h"
#include "sim/ModuleSim.h"
#include "testing/RateSwitches.h"
#include "testing/TranscriptText.h"

namespace {
TEST(QtQuit, MidIpUploadBootsTheModuleBeforeTheWindowCloses) {
    SimOptions options;
    options.module = SimModule::Ip;
    options.ipStart = SimIpStart::Monitor;
    options.dKernelBootSeconds = 0.2;
    CModuleSim sim(options);
    ASSERT_TRUE(sim.Start());
    const std::vector<uint8_t> oldSoftware = sim.ReadMemory(0x400E0000, 4096);

    CQtWindow window;
    CUpgraderDlg dlg(window);
    ASSERT_TRUE(ShowWithPort(window, dlg, sim.DevicePath()));
    QTest::mouseClick(window.Control(ctl::kIpController), Qt::LeftButton);

    // Quit on the first tick of the upload, pressed once the tick is over so
    // that the watcher is free to answer the question with OK.
    bool bQuitPressed = false;
    const std::vector<QString> boxes = PressUpgradeAnsweringOk(window, [&] {
        if (!bQuitPressed && window.GetControlText(ctl::kStatus).rfind("Uploading ", 0) == 0) {
            bQuitPressed = true;
            QTimer::singleShot(0, &window, [&window] {
                QTest::mouseClick(window.Control(ctl::kOk), Qt::LeftButton);
            });
        }
    });
    QCoreApplication::processEvents();

    const auto transcript = sim.Transcript();
    ASSERT_TRUE(bQuitPressed) << TranscriptText(transcript);
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_TRUE(boxes[0].endsWith("Stop the upgrade and quit?")) << boxes[0].toStdString();
    // The download ended, the monitor went back to 9600 and booted.
    std::vector<std::string> tail;
    for (size_t i = transcript.size() >= 6 ? transcript.size() - 6 : 0; i < transcript.size(); ++i)
        tail.push_back(transcript[i].strCommand);
    ASSERT_EQ(tail.size(), 6u) << TranscriptText(transcript);
    EXPECT_EQ(tail[0].rfind("<loads aborted after ", 0), 0u) << TranscriptText(transcript);
    EXPECT_EQ(std::vector<std::string>(tail.begin() + 1, tail.end()),
              (std::vector<std::string>{"", "setenv baudrate 9600", "<switched to 9600 baud>", "",
                                        "bootd"}))
        << TranscriptText(transcript);
    EXPECT_TRUE(sim.ReadMemory(0x400E0000, 4096) == oldSoftware) << "the flash was touched";
    EXPECT_TRUE(sim.Booted());
    EXPECT_EQ(dlg.LastRunEnd().outcome, RunOutcome::Stopped);
    EXPECT_FALSE(window.isVisible());
    EXPECT_EQ(window.result(), IDOK);
}
} // namespace
