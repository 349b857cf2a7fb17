// The legacy run against the module simulator (a program, not a test):
//
//   legacy_upgrade_bench [cpu|stream|whole]...   (all three without arguments)
//
// cpu     Controller upgrade, unpaced line: the GUI thread's CPU time per
//         S-record line while streaming, with the scripted window.
// stream  Controller upgrade, the simulator pacing its line like a UART at
//         115200: the streaming phase (from the "u" that opens the upload to
//         the empty line that ends it, on the module's clock) against the wire
//         time of the bytes sent in it, ten bits per byte.
// whole   Transceiver upgrade, paced at 115200: the run's wall time, less its
//         mandated waits and its wire time.
#include <chrono>
#include <cstdio>
#include <cstring>
#include <string>
#include <time.h>

#include "bench/BenchRecord.h"
#include "dialog/UpgraderDlg.h"
#include "firmware/EmbeddedImages.h"
#include "sim/ModuleSim.h"
#include "testing/ScriptedWindow.h"

namespace {
double ThreadCpuUs() {
    timespec ts{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &ts);
    return ts.tv_sec * 1e6 + ts.tv_nsec / 1e3;
}

double NowMs() {
    using namespace std::chrono;
    return duration<double, std::milli>(steady_clock::now().time_since_epoch()).count();
}

// The scripted window, also adding up the run's mandated waits and its waits
// for the module's next bytes.
class CTimingWindow : public CScriptedWindow {
public:
    void Sleep(int nMs) override {
        m_dSleptMs += nMs;
        CScriptedWindow::Sleep(nMs);
    }
    bool WaitForInput(LineHandle hInput, int nMs) override {
        const double dStart = NowMs();
        const bool bInput = CScriptedWindow::WaitForInput(hInput, nMs);
        m_dWaitedMs += NowMs() - dStart;
        return bInput;
    }
    double m_dSleptMs = 0;
    double m_dWaitedMs = 0;
};

struct RunResult {
    bool bComplete = false;
    double dWallMs = 0, dSleptMs = 0, dWaitedMs = 0, dRunCpuUs = 0;
    double dStreamCpuUs = 0, dStreamWallMs = 0;
    int64_t nSimStreamMs = -1;
    size_t nLines = 0;
};

RunResult RunOnce(SimModule module, bool bPace) {
    SimOptions options;
    options.module = module;
    options.bPaceUart = bPace;
    CModuleSim sim(options);
    RunResult r;
    if (!sim.Start())
        return r;
    CTimingWindow window;
    CUpgraderDlg dlg(window);
    CBenchRecord record(dlg);
    dlg.OnInitDialog();
    window.AddListEntry(ctl::kComList, sim.DevicePath());
    window.SetListSelection(ctl::kComList, window.GetListCount(ctl::kComList) - 1);
    if (module == SimModule::Controller)
        dlg.OnController();
    // The streaming phase as the GUI thread sees it.
    double dCpuAtStart = 0, dWallAtStart = 0;
    window.onShown = [&](const ShownEvent& e) {
        if (dWallAtStart == 0 && e.strText.rfind("Uploading 0 of", 0) == 0) {
            dCpuAtStart = ThreadCpuUs();
            dWallAtStart = NowMs();
        } else if (e.strText == "File Transfer complete") {
            r.dStreamCpuUs = ThreadCpuUs() - dCpuAtStart;
            r.dStreamWallMs = NowMs() - dWallAtStart;
        }
    };
    const double dCpu0 = ThreadCpuUs();
    const double dWall0 = NowMs();
    dlg.OnUpgrade();
    r.dWallMs = NowMs() - dWall0;
    r.dRunCpuUs = ThreadCpuUs() - dCpu0;
    r.dSleptMs = window.m_dSleptMs;
    r.dWaitedMs = window.m_dWaitedMs;
    r.bComplete = !window.Boxes().empty() && window.Boxes().back().strText == "Upload Complete!";
    r.nLines = sim.MergeLines().size();
    int64_t nOpen = -1;
    for (const auto& e : sim.Transcript()) {
        if (e.strCommand == "u")
            nOpen = e.nMs;
        else if (nOpen >= 0 && e.strCommand.rfind("<", 0) == 0 && r.nSimStreamMs < 0)
            r.nSimStreamMs = e.nMs - nOpen;
    }
    return r;
}

// Bytes of the upload on the line: every line without its LF, then "\r\r".
int64_t UploadBytes(const char* pszImage) {
    const EmbeddedImage* pImage = FindEmbeddedImage(pszImage);
    if (!pImage)
        return 0;
    int64_t nBytes = 2;
    for (int32_t i = 0; i < pImage->nSize; ++i)
        nBytes += pImage->pData[i] != 10;
    return nBytes;
}

double WireMs(int64_t nBytes, int32_t nBaud) {
    return nBytes * 10.0 * 1000.0 / nBaud;
}

void Cpu() {
    RunResult r = RunOnce(SimModule::Controller, false);
    std::printf("cpu: Controller, unpaced, %s, %zu lines\n", r.bComplete ? "complete" : "FAILED",
                r.nLines);
    std::printf("  streaming: %.1f us GUI-thread CPU per line (%.0f ms CPU, %.0f ms wall)\n",
                r.dStreamCpuUs / r.nLines, r.dStreamCpuUs / 1000, r.dStreamWallMs);
}

void Stream() {
    RunResult r = RunOnce(SimModule::Controller, true);
    const int64_t nBytes = UploadBytes("SREC_ADI_CTRL") + 2; // and the "u" with its CR
    const double dWire = WireMs(nBytes, 115200);
    std::printf("stream: Controller, paced at 115200, %s, %zu lines\n",
                r.bComplete ? "complete" : "FAILED", r.nLines);
    std::printf("  streaming phase %lld ms on the module's clock, wire time %.0f ms "
                "(%lld bytes): %.3fx\n",
                static_cast<long long>(r.nSimStreamMs), dWire, static_cast<long long>(nBytes),
                r.nSimStreamMs / dWire);
    std::printf("  GUI thread: %.1f us CPU per line\n", r.dStreamCpuUs / r.nLines);
}

void Whole() {
    RunResult r = RunOnce(SimModule::Transceiver, true);
    // What the upgrader writes: at 9600 the log-in and commands, the rest at 115200.
    const int64_t nSlow = 1 + 6 + 50 + 5 + 5 + 2 + 2; // CR, reset, b x50, root, vexa, b, f
    const int64_t nFast = 1 + 2 + 2 + UploadBytes("SREC_TRAN") + 2 + 2; // CR, 9, u, upload, r, r
    const double dWire = WireMs(nSlow, 9600) + WireMs(nFast, 115200);
    std::printf("whole: Transceiver, paced at 115200, %s, %zu lines\n",
                r.bComplete ? "complete" : "FAILED", r.nLines);
    std::printf("  wall %.0f ms, mandated waits %.0f ms, wire time of the bytes sent %.0f ms\n",
                r.dWallMs, r.dSleptMs, dWire);
    std::printf("  wall - waits - wire = %.0f ms (of which %.0f ms waiting for the module's "
                "answers outside streaming)\n",
                r.dWallMs - r.dSleptMs - dWire, r.dWaitedMs);
    std::printf("  GUI thread CPU for the whole run: %.0f ms\n", r.dRunCpuUs / 1000);
}
} // namespace

int main(int argc, char** argv) {
    const bool bAll = argc < 2;
    auto wanted = [&](const char* psz) {
        for (int i = 1; i < argc; ++i)
            if (std::strcmp(argv[i], psz) == 0)
                return true;
        return bAll;
    };
    if (wanted("cpu"))
        Cpu();
    if (wanted("stream"))
        Stream();
    if (wanted("whole"))
        Whole();
    return 0;
}
