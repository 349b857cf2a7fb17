// Cost of WriteCommString for upload lines: a pseudo-terminal whose peer reads
// as fast as it can, 46-byte S-record lines written one call each. Prints
// lines per second and CPU microseconds per line (the writing thread's own
// CPU time, and the whole process's), against WriteCommByte per byte.
//
//   serial_write_bench [lines]
#include <atomic>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <poll.h>
#include <pty.h>
#include <string>
#include <sys/resource.h>
#include <thread>
#include <time.h>
#include <unistd.h>

#include "line/SComDoc.h"

namespace {
// An S1 record with 16 data bytes and its carriage return: 46 bytes.
constexpr char kLine[] = "S113A0000102030405060708090A0B0C0D0E0F1011223\r";
static_assert(sizeof kLine - 1 == 46);

double ThreadCpuUs() {
    timespec ts{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &ts);
    return ts.tv_sec * 1e6 + ts.tv_nsec / 1e3;
}

double ProcessCpuUs() {
    rusage ru{};
    getrusage(RUSAGE_SELF, &ru);
    auto us = [](const timeval& tv) { return tv.tv_sec * 1e6 + static_cast<double>(tv.tv_usec); };
    return us(ru.ru_utime) + us(ru.ru_stime);
}

// Reads the master side until nBytes have arrived.
void Drain(int nMaster, size_t nBytes) {
    char buf[65536];
    size_t nGot = 0;
    while (nGot < nBytes) {
        pollfd pfd{nMaster, POLLIN, 0};
        if (poll(&pfd, 1, 5000) <= 0)
            break;
        ssize_t n = read(nMaster, buf, sizeof buf);
        if (n <= 0)
            break;
        nGot += static_cast<size_t>(n);
    }
    if (nGot != nBytes)
        std::fprintf(stderr, "peer received %zu of %zu bytes\n", nGot, nBytes);
}

void Run(const char* pszWhat, CSComDoc& doc, int nMaster, int nLines, bool bPerByte) {
    std::thread reader(Drain, nMaster, static_cast<size_t>(nLines) * (sizeof kLine - 1));
    const auto start = std::chrono::steady_clock::now();
    const double threadStart = ThreadCpuUs();
    const double processStart = ProcessCpuUs();
    for (int i = 0; i < nLines; ++i) {
        if (bPerByte) {
            for (const char* p = kLine; *p; ++p)
                doc.WriteCommByte(static_cast<uint8_t>(*p));
        } else {
            doc.WriteCommString(kLine);
        }
    }
    const double threadUs = ThreadCpuUs() - threadStart;
    const double processUs = ProcessCpuUs() - processStart;
    const double wallS =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    reader.join();
    std::printf("%-28s %9.0f lines/s  %7.2f us CPU/line (writer)  %7.2f us CPU/line (process)\n",
                pszWhat, nLines / wallS, threadUs / nLines, processUs / nLines);
}
} // namespace

int main(int argc, char** argv) {
    const int nLines = argc > 1 ? std::atoi(argv[1]) : 30652;
    int nMaster = -1, nSlave = -1;
    if (openpty(&nMaster, &nSlave, nullptr, nullptr, nullptr) != 0) {
        std::perror("openpty");
        return 1;
    }
    CSComDoc doc;
    doc.m_strPort = ptsname(nMaster);
    doc.m_nBaud = 115200;
    doc.CreatePortEvents();
    if (!doc.Connect()) {
        std::fprintf(stderr, "cannot open %s\n", doc.m_strPort.c_str());
        return 1;
    }
    std::printf("%d lines of %zu bytes into %s\n", nLines, sizeof kLine - 1, doc.m_strPort.c_str());
    Run("WriteCommString", doc, nMaster, nLines, false);
    Run("WriteCommByte per byte", doc, nMaster, nLines / 10, true);
    doc.Disconnect();
    close(nSlave);
    close(nMaster);
    return 0;
}
