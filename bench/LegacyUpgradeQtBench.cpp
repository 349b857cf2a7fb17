// GUI-thread CPU per S-record line of a Controller upgrade in the Qt window,
// against the module simulator on an unpaced line (a program, not a test).
// Boxes are answered at once instead of being shown. Run it under a virtual
// X server:  xvfb-run -a legacy_upgrade_qt_bench
#include <QApplication>
#include <cstdio>
#include <string>
#include <time.h>

#include "dialog/UpgraderDlg.h"
#include "qt/QtWindow.h"
#include "sim/ModuleSim.h"

namespace {
double ThreadCpuUs() {
    timespec ts{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &ts);
    return ts.tv_sec * 1e6 + ts.tv_nsec / 1e3;
}

class CBenchWindow : public CQtWindow {
public:
    int MessageBox(const std::string& strText, const std::string&, MsgIcon, MsgButtons) override {
        m_strLastBox = strText;
        return IDOK;
    }
    void SetControlText(int nId, const std::string& strText) override {
        CQtWindow::SetControlText(nId, strText);
        if (nId != ctl::kStatus)
            return;
        if (m_dStartUs == 0 && strText.rfind("Uploading 0 of", 0) == 0)
            m_dStartUs = ThreadCpuUs();
        else if (strText == "File Transfer complete")
            m_dStreamUs = ThreadCpuUs() - m_dStartUs;
    }
    std::string m_strLastBox;
    double m_dStartUs = 0, m_dStreamUs = 0;
};
} // namespace

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    SimOptions options;
    options.module = SimModule::Controller;
    options.bPaceUart = false;
    CModuleSim sim(options);
    if (!sim.Start()) {
        std::fprintf(stderr, "simulator did not start\n");
        return 1;
    }
    CBenchWindow window;
    CUpgraderDlg dlg(window);
    window.SetPortSource([&] { return std::vector<std::string>{sim.DevicePath()}; });
    window.InitDialog(dlg);
    window.show();
    for (int i = 0; i < 20; ++i)
        QCoreApplication::processEvents();
    window.SetListSelection(ctl::kComList, window.GetListCount(ctl::kComList) - 1);
    dlg.OnController();
    dlg.OnUpgrade();
    const size_t nLines = sim.MergeLines().size();
    std::printf("Qt window (platform %s): Controller, unpaced, %s, %zu lines\n",
                qPrintable(QGuiApplication::platformName()), window.m_strLastBox.c_str(), nLines);
    std::printf("  streaming: %.1f us GUI-thread CPU per line\n",
                nLines ? window.m_dStreamUs / nLines : 0.0);
    return 0;
}
