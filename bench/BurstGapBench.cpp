// How the module's texts arrive at the upgrader's end of the line (a program,
// not a test): for each way of delivery, the simulator is asked for texts it
// prints in one go, and the arrival of every piece is timed at the port as the
// receive loop sees it. Reported per delivery: the longest pause between two
// pieces of one text, the 99th percentile of those pauses, and the longest
// text's duration, idle and with every core kept busy by spinning threads.
// These figures set the receive loop's burst gap and cap.
//
//   burst_gap_bench [repeats] [busy threads per core]
#include <poll.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <thread>
#include <vector>

#include "line/SComDoc.h"
#include "sim/ModuleSim.h"

namespace {
using Clock = std::chrono::steady_clock;

struct Delivery {
    const char* pszName;
    int nUsbLatencyMs;
    bool bFragments;
};

struct Figures {
    std::vector<double> gapsMs; // pauses between pieces inside texts
    double dLongestTextMs = 0;
    size_t nLongestTextBytes = 0;
};

// Sends strCommand and times what comes back until nQuietMs pass without a byte.
void TimeAnswer(CSComDoc& line, const std::string& strCommand, int nQuietMs, Figures& out) {
    line.WriteCommString(strCommand.c_str());
    uint8_t buf[4096];
    Clock::time_point tFirst{}, tLast{};
    size_t nBytes = 0;
    for (;;) {
        pollfd pfd{line.PollHandle(), POLLIN, 0};
        if (poll(&pfd, 1, nQuietMs) <= 0)
            break;
        const int n = line.ReadCommData(buf, sizeof buf);
        if (n <= 0)
            break;
        const auto now = Clock::now();
        if (nBytes > 0)
            out.gapsMs.push_back(std::chrono::duration<double, std::milli>(now - tLast).count());
        else
            tFirst = now;
        tLast = now;
        nBytes += static_cast<size_t>(n);
    }
    const double dText = std::chrono::duration<double, std::milli>(tLast - tFirst).count();
    if (dText > out.dLongestTextMs) {
        out.dLongestTextMs = dText;
        out.nLongestTextBytes = nBytes;
    }
}

// Texts of both module families at the console rate: the boot monitor's help
// (about 1.4 KB) and its echo, and the legacy recovery menu.
Figures Measure(const Delivery& d, int nRepeats) {
    Figures out;
    for (SimModule module : {SimModule::Ip, SimModule::Transceiver}) {
        SimOptions options;
        options.module = module;
        options.ipStart = SimIpStart::Monitor;
        options.bNoApplicationCode = true;
        options.dNoAppLoginDelaySeconds = 600;
        options.nUsbLatencyMs = d.nUsbLatencyMs;
        options.bRandomFragments = d.bFragments;
        CModuleSim sim(options);
        if (!sim.Start())
            return out;
        CSComDoc line;
        line.m_strPort = sim.DevicePath();
        line.CreatePortEvents();
        if (!line.Connect())
            return out;
        Figures first; // the prompt the module shows first is not counted
        TimeAnswer(line, "\r", 400, first);
        for (int i = 0; i < nRepeats; ++i) {
            if (module == SimModule::Ip) {
                TimeAnswer(line, "help\r", 400, out);
                TimeAnswer(line, "echo " + std::string(60, 'x') + "\r", 400, out);
            } else {
                TimeAnswer(line, "\r", 400, out);
            }
        }
        line.Disconnect();
    }
    return out;
}

void Report(const char* pszLoad, const Delivery& d, Figures f) {
    std::sort(f.gapsMs.begin(), f.gapsMs.end());
    const double dMax = f.gapsMs.empty() ? 0 : f.gapsMs.back();
    const double dP99 = f.gapsMs.empty() ? 0 : f.gapsMs[f.gapsMs.size() * 99 / 100];
    std::printf("%-5s %-16s pieces %5zu  longest pause %5.1f ms  p99 %5.1f ms  longest text "
                "%4zu bytes in %6.1f ms\n",
                pszLoad, d.pszName, f.gapsMs.size() + 1, dMax, dP99, f.nLongestTextBytes,
                f.dLongestTextMs);
}
} // namespace

int main(int argc, char** argv) {
    const int nRepeats = argc > 1 ? std::atoi(argv[1]) : 10;
    const unsigned nPerCore = argc > 2 ? static_cast<unsigned>(std::atoi(argv[2])) : 1;
    const Delivery deliveries[] = {
        {"uart 9600", 0, false}, {"usb latency 16", 16, false}, {"fragments", 0, true}};
    for (bool bBusy : {false, true}) {
        std::atomic<bool> bStop{false};
        std::vector<std::thread> spinners;
        for (unsigned i = 0; bBusy && i < nPerCore * std::thread::hardware_concurrency(); ++i)
            spinners.emplace_back([&bStop] {
                while (!bStop)
                    ;
            });
        for (const Delivery& d : deliveries)
            Report(bBusy ? "busy" : "idle", d, Measure(d, nRepeats));
        bStop = true;
        for (auto& t : spinners)
            t.join();
    }
    return 0;
}
