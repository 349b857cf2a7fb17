#include "bench/IpUploadProgram.h"

#include <chrono>
#include <csignal>
#include <cstdio>
#include <memory>
#include <optional>
#include <string>
#include <thread>

#include "ChildProcess.h"
#include "WindowsBuild.h"
#include "firmware/EmbeddedImages.h"
#include "sim/ModuleSim.h"

namespace {
// The first transcript entry that begins with strStart, waited for up to
// nLimitMs; nullopt if it did not come.
std::optional<SimTranscriptEntry> WaitForEntry(const CModuleSim& sim, const std::string& strStart,
                                               int nLimitMs) {
    const auto until = std::chrono::steady_clock::now() + std::chrono::milliseconds(nLimitMs);
    do {
        for (const SimTranscriptEntry& entry : sim.Transcript())
            if (entry.strCommand.rfind(strStart, 0) == 0)
                return entry;
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    } while (std::chrono::steady_clock::now() < until);
    return std::nullopt;
}

// Bytes of the image up to the end of its nRecords-th record as the monitor
// counts them: every CR, LF or NUL ends one.
long long RecordBytes(const EmbeddedImage& image, long long nRecords) {
    const uint8_t* pData = image.pData;
    long long nSeen = 0;
    for (long long i = 0; i < static_cast<long long>(image.nSize); ++i)
        if ((pData[i] == '\r' || pData[i] == '\n' || pData[i] == 0) && ++nSeen == nRecords)
            return i + 1;
    return static_cast<long long>(image.nSize);
}
} // namespace

int MeasureProgramUpload(bool bWindows, int nSeconds) {
    SimOptions options;
    options.module = SimModule::Ip;
    options.ipStart = SimIpStart::Monitor;
    CModuleSim sim(options);
    if (!sim.Start())
        return 1;
    std::unique_ptr<CComLink> pLink;
    std::vector<std::string> args{KTR84_UPGRADE};
    std::string strPort = sim.DevicePath();
    if (bWindows) {
        pLink = std::make_unique<CComLink>(strPort);
        args = WineCommand("ktr84-upgrade.exe");
        strPort = pLink->Port();
    }
    args.insert(args.end(), {"--module", "ip", "--port", strPort, "--images", "filesystem"});
    const CTempFolder dir("ip-upload-program");
    CChildProcess run;
    if (strPort.empty() || !run.Start(args, {}, dir.Path() / "out", dir.Path() / "err"))
        return 1;
    const auto loads = WaitForEntry(sim, "loads", 120000);
    if (!loads) {
        std::printf("the run did not reach the upload: %s\n", ReadFile(dir.Path() / "err").c_str());
        return 1;
    }
    std::this_thread::sleep_for(std::chrono::seconds(nSeconds));
    run.Signal(SIGINT);
    const int nExit = run.Wait();
    const auto aborted = WaitForEntry(sim, "<loads aborted after ", 20000);
    const EmbeddedImage* pImage = FindEmbeddedImage("SREC_FILESYSTEM");
    if (!aborted || !pImage) {
        std::printf("the module did not end the upload (exit %d)\n", nExit);
        return 1;
    }
    const long long nRecords = std::stoll(aborted->strCommand.substr(21));
    const long long nBytes = RecordBytes(*pImage, nRecords);
    const double dSeconds = (aborted->nMs - loads->nMs) / 1000.0;
    const double dWire = nBytes * 10.0 / 115200;
    std::printf("%s program: %lld records, %lld bytes in %.2f s, wire %.2f s, ratio %.3f, "
                "%.3f of the wire's speed (exit %d)\n",
                bWindows ? "Windows (Wine)" : "Linux", nRecords, nBytes, dSeconds, dWire,
                dSeconds / dWire, dWire / dSeconds, nExit);
    return 0;
}
