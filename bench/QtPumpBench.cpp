// What one pass of a run costs the GUI thread in the Qt window: the pump,
// the progress bar and status text a streaming pass changes, and the repaint.
// Usage: ktr84_qt_pump_bench [passes]   (QT_QPA_PLATFORM=offscreen for no display)
#include <QApplication>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <string>

#include "dialog/UpgraderDlg.h"
#include "qt/QtWindow.h"

namespace {
double CpuSeconds() {
    timespec ts{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &ts);
    return ts.tv_sec + ts.tv_nsec / 1e9;
}

double WallSeconds() {
    timespec ts{};
    clock_gettime(CLOCK_MONOTONIC, &ts);
    return ts.tv_sec + ts.tv_nsec / 1e9;
}

template <class Pass> void Measure(const char* pszName, int nPasses, Pass pass) {
    const double dCpu = CpuSeconds(), dWall = WallSeconds();
    for (int i = 0; i < nPasses; ++i)
        pass(i);
    const double dCpuUs = (CpuSeconds() - dCpu) * 1e6 / nPasses;
    const double dWallUs = (WallSeconds() - dWall) * 1e6 / nPasses;
    std::printf("%-44s %8.1f us CPU  %8.1f us wall per pass\n", pszName, dCpuUs, dWallUs);
}
} // namespace

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    const int nPasses = argc > 1 ? std::atoi(argv[1]) : 20000;
    CQtWindow window;
    CUpgraderDlg dlg(window);
    window.SetPortSource({});
    window.InitDialog(dlg);
    window.show();
    for (int i = 0; i < 20; ++i)
        QCoreApplication::processEvents();

    std::printf("%d passes, platform %s\n", nPasses, qPrintable(QGuiApplication::platformName()));
    Measure("pump + repaint, nothing changed", nPasses, [&](int) {
        dlg.PumpMessages();
        window.UpdateWindow();
    });
    window.SetProgressRange(0, nPasses);
    Measure("pump + progress + repaint", nPasses, [&](int i) {
        dlg.PumpMessages();
        window.SetProgressPos(i);
        window.UpdateWindow();
    });
    Measure("pump + progress + status text + repaint", nPasses, [&](int i) {
        dlg.PumpMessages();
        window.SetProgressPos(i);
        dlg.SetStatus("Uploading " + std::to_string(i / 100) + " of 1200 kilobytes");
        window.UpdateWindow();
    });
    return 0;
}
