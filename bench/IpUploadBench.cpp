// RAM upload of the IP-Enabled Controller run against the module simulator
// pacing its line like a UART at 115200 baud and echoing every record as a
// boot monitor does. A whole run is pressed in the dialog with the scripted
// window on the real clock; the upload of the first N lines of the file
// system image is sent and lines N/2 to N are timed (the first half fills
// the pty's queue), then the operator's quit ends the run. Reported: upload time against wire time
// (10 bits per byte, both directions overlap), waits of the upload that ran
// their full 100 ms (silence), and the GUI thread's CPU time per line.
//
//   ip_upload_bench [lines] [usb-latency-ms ...]
//   e.g. ip_upload_bench 6000 0 16 1
// With --program, a build's console program as a program does the upload
// (IpUploadProgram.h), the Windows one under Wine:
//   ip_upload_bench --program linux|windows [seconds]     (default 60)

#include <sys/resource.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "bench/BenchRecord.h"
#include "bench/IpUploadProgram.h"
#include "dialog/UpgraderDlg.h"
#include "sim/ModuleSim.h"
#include "testing/ScriptedWindow.h"
#include "upgrade/ip/IpMemory.h"

namespace {
using Clock = std::chrono::steady_clock;

double ThreadCpuSeconds() {
    rusage usage{};
    getrusage(RUSAGE_THREAD, &usage);
    return usage.ru_utime.tv_sec + usage.ru_stime.tv_sec +
           (usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e6;
}

// Counts the waits of the upload that ran their full time.
class CCountingWindow : public CScriptedWindow {
public:
    bool WaitForInput(LineHandle hInput, int nMs) override {
        const bool bInput = CScriptedWindow::WaitForInput(hInput, nMs);
        if (pMemory && pMemory->FlashStep == FlashSequenceStep::SendLines) {
            ++nUploadWaits;
            nSilentUploadWaits += bInput ? 0 : 1;
        }
        return bInput;
    }
    const CIpMemory* pMemory = nullptr; // the dialog's: where the run stands
    int nUploadWaits = 0;
    int nSilentUploadWaits = 0;
};

struct Result {
    int nLines = 0;
    int64_t nBytes = 0;
    double dSeconds = 0;
    double dCpuPerLineUs = 0;
    int nWaits = 0;
    int nSilent = 0;
};

Result MeasureUpload(int nLines, int nUsbLatencyMs) {
    SimOptions options;
    options.module = SimModule::Ip;
    options.ipStart = SimIpStart::Monitor;
    options.bPaceUart = true;
    options.nUsbLatencyMs = nUsbLatencyMs;
    CModuleSim sim(options);
    Result result;
    if (!sim.Start())
        return result;

    CCountingWindow window;
    CUpgraderDlg dlg(window);
    CBenchRecord record(dlg);
    window.pMemory = &dlg.m_lasting.m_ip;
    const CImageCursor& image = dlg.m_lasting.m_image;
    dlg.OnInitDialog();
    dlg.OnIpController(); // 115200 selected
    window.AddListEntry(ctl::kComList, sim.DevicePath());
    window.SetListSelection(ctl::kComList, window.GetListCount(ctl::kComList) - 1);

    Clock::time_point tFirst;
    double dCpuFirst = 0;
    int nSent = 0;
    int32_t nLastSent = -1;
    int32_t nBytesFirst = 0;
    window.onPump = [&] {
        if (window.pMemory->FlashStep != FlashSequenceStep::SendLines || result.nLines)
            return;
        // A pass that sent a line moved the byte count.
        if (image.m_nBytesSent == nLastSent)
            return;
        nLastSent = image.m_nBytesSent;
        // The line's pseudo-terminal holds some 64 KiB: time the second half of
        // the lines, once the queue towards the module is full and the line
        // sets the pace.
        if (++nSent == nLines / 2) {
            tFirst = Clock::now();
            dCpuFirst = ThreadCpuSeconds();
            nBytesFirst = image.m_nBytesSent;
        }
        if (nSent > nLines) {
            result.dSeconds = std::chrono::duration<double>(Clock::now() - tFirst).count();
            result.nBytes = image.m_nBytesSent - nBytesFirst;
            result.nLines = nLines + 1 - nLines / 2;
            result.dCpuPerLineUs = (ThreadCpuSeconds() - dCpuFirst) * 1e6 / result.nLines;
            result.nWaits = window.nUploadWaits;
            result.nSilent = window.nSilentUploadWaits;
            window.QueueBoxAnswer(IDOK);
            dlg.OnQuitRequest();
        }
    };
    dlg.OnUpgrade();
    return result;
}
} // namespace

int main(int argc, char** argv) {
    if (argc > 2 && std::string(argv[1]) == "--program")
        return MeasureProgramUpload(std::string(argv[2]) == "windows",
                                    argc > 3 ? std::atoi(argv[3]) : 60);
    const int nLines = argc > 1 ? std::atoi(argv[1]) : 6000;
    std::vector<int> latencies;
    for (int i = 2; i < argc; ++i)
        latencies.push_back(std::atoi(argv[i]));
    if (latencies.empty())
        latencies = {0, 16, 1};
    const double dImageWire = 5840974.0 * 10 / 115200;
    std::printf("file system image: 5840974 bytes, %.0f s of wire at 115200 baud\n", dImageWire);
    for (int nLatency : latencies) {
        const Result r = MeasureUpload(nLines, nLatency);
        if (!r.nLines) {
            std::printf("usb-latency %d ms: run did not reach the upload\n", nLatency);
            continue;
        }
        const double dWire = static_cast<double>(r.nBytes) * 10 / 115200;
        std::printf(
            "usb-latency %2d ms: %d lines, %lld bytes in %.2f s, wire %.2f s, ratio %.3f, "
            "whole image ~%.0f s; waits since the first line %d, silent %d; GUI thread CPU %.1f "
            "us/line\n",
            nLatency, r.nLines, static_cast<long long>(r.nBytes), r.dSeconds, dWire,
            r.dSeconds / dWire, dImageWire * r.dSeconds / dWire, r.nWaits, r.nSilent,
            r.dCpuPerLineUs);
    }
    return 0;
}
