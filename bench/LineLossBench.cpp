// How long a run goes on after its line vanishes mid-upload (a program, not a
// test): the module simulator is stopped at an upload status, as when a USB
// adapter is pulled, and the time from then until the run returns is printed,
// for a legacy run behind a USB adapter and for an IP run at the monitor.
//
//   line_loss_bench [runs]   (5 of each without an argument)
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <thread>

#include "testing/LineLoss.h"
#include "testing/ScaledWindow.h"
#include "testing/SimRig.h"

namespace {
double LegacyRun() {
    SimOptions options;
    options.module = SimModule::Transceiver;
    options.dFlashWriteSeconds = 0.2;
    options.nUsbLatencyMs = 16;
    CSimRig rig(options);
    rig.Select(Transceiver);
    rig.UseShortImages(2000);
    CLineLoss loss;
    loss.PullAt(rig.window, "Uploading 5 of ", [&] { rig.pSim->Stop(); });
    rig.dlg.OnUpgrade();
    return loss.bPulled && loss.Misreport(rig.BoxTexts(), rig.window.Statuses().back()).empty()
               ? loss.SecondsSincePull()
               : -1;
}

// The IP run with the module's delays and the tool's pauses cut to a tenth.
double IpRun() {
    SimOptions options;
    options.module = SimModule::Ip;
    options.ipStart = SimIpStart::Monitor;
    options.bPaceUart = false;
    options.dRebootSeconds = 0.15;
    options.nBootDelaySeconds = 1;
    options.dEraseSecondsPerSector = 0.01;
    options.dProgramBytesPerSecond = 2e7;
    auto pWindow = std::make_unique<CScaledWindow>();
    CScaledWindow& window = *pWindow;
    CSimRig rig(options, std::move(pWindow));
    // The module must have read what was sent before the tool's pauses end.
    window.afterSleep = [&] {
        for (int i = 0; i < 300 && rig.pSim->PendingInput() > 0; ++i)
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
    };
    rig.Select(IpController);
    CLineLoss loss;
    loss.PullAt(rig.window, "Uploading 6 of ", [&] { rig.pSim->Stop(); });
    rig.dlg.OnUpgrade();
    return loss.bPulled && loss.Misreport(rig.BoxTexts(), rig.dlg.m_strStatus).empty()
               ? loss.SecondsSincePull()
               : -1;
}

void Report(const char* pszName, double (*fnRun)(), int nRuns) {
    double dMin = 1e9, dMax = 0, dSum = 0;
    for (int i = 0; i < nRuns; ++i) {
        const double d = fnRun();
        if (d < 0) {
            std::printf("%s: the run did not end as a lost line\n", pszName);
            return;
        }
        dMin = std::min(dMin, d);
        dMax = std::max(dMax, d);
        dSum += d;
    }
    std::printf("%s: line gone to run returned, %d runs: min %.2f ms, mean %.2f ms, max %.2f ms\n",
                pszName, nRuns, dMin * 1e3, dSum / nRuns * 1e3, dMax * 1e3);
}
} // namespace

int main(int argc, char** argv) {
    const int nRuns = argc > 1 ? std::max(1, std::atoi(argv[1])) : 5;
    Report("legacy, USB bursts", LegacyRun, nRuns);
    Report("IP, at the monitor", IpRun, nRuns);
    return 0;
}
