// CPU use of the module simulator while it paces a 115200-baud line: an IP
// module receives an S-record download with echo, one line at a time as the
// upgrader sends it, and the simulator's threads' CPU time is compared with
// the wall-clock time of the transfer.

#include "sim/ModuleSim.h"

#include <chrono>
#include <cstdio>
#include <fcntl.h>
#include <poll.h>
#include <string>
#include <sys/resource.h>
#include <termios.h>
#include <unistd.h>

namespace {

double CpuSeconds(int nWho) {
    rusage usage{};
    getrusage(nWho, &usage);
    return usage.ru_utime.tv_sec + usage.ru_stime.tv_sec +
           (usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e6;
}

void SetRate(int fd, speed_t speed) {
    termios tio{};
    tcgetattr(fd, &tio);
    cfmakeraw(&tio);
    tio.c_cflag |= CREAD | CLOCAL;
    cfsetispeed(&tio, speed);
    cfsetospeed(&tio, speed);
    tcsetattr(fd, TCSANOW, &tio);
}

bool WaitFor(int fd, const std::string& strLiteral, std::string& strSeen) {
    char buf[4096];
    while (strSeen.find(strLiteral) == std::string::npos) {
        pollfd pfd{fd, POLLIN, 0};
        if (poll(&pfd, 1, 10000) <= 0) {
            return false;
        }
        ssize_t n = read(fd, buf, sizeof buf);
        if (n <= 0) {
            return false;
        }
        strSeen.append(buf, static_cast<size_t>(n));
    }
    strSeen.erase(0, strSeen.find(strLiteral) + strLiteral.size());
    return true;
}

std::string Record(uint32_t nAddress, int nFill) {
    char buf[100];
    int n = std::snprintf(buf, sizeof buf, "S325%08X", nAddress);
    unsigned nSum = 0x25 + (nAddress >> 24) + ((nAddress >> 16) & 0xFF) + ((nAddress >> 8) & 0xFF) +
                    (nAddress & 0xFF);
    for (int i = 0; i < 32; ++i) {
        unsigned c = (nFill + i * 7) & 0xFF;
        nSum += c;
        n += std::snprintf(buf + n, sizeof buf - n, "%02X", c);
    }
    std::snprintf(buf + n, sizeof buf - n, "%02X\r\n", ~nSum & 0xFF);
    return buf;
}

} // namespace

int main(int argc, char** argv) {
    int nRecords = argc > 1 ? std::atoi(argv[1]) : 1500;
    SimOptions options;
    options.module = SimModule::Ip;
    options.ipStart = SimIpStart::Monitor;
    options.bPaceUart = true;
    CModuleSim sim(options);
    if (!sim.Start()) {
        return 1;
    }
    int fd = open(sim.DevicePath().c_str(), O_RDWR | O_NOCTTY);
    SetRate(fd, B9600);
    std::string strSeen;
    const std::string strSwitch = "setenv baudrate 115200\r";
    write(fd, strSwitch.data(), strSwitch.size());
    WaitFor(fd, "ENTER ...\r\n", strSeen);
    SetRate(fd, B115200);
    write(fd, "\r", 1);
    WaitFor(fd, "=> ", strSeen);
    write(fd, "loads 10000\r", 12);
    WaitFor(fd, "download ...\r\n", strSeen);

    auto tStart = std::chrono::steady_clock::now();
    double dCpuStart = CpuSeconds(RUSAGE_SELF) - CpuSeconds(RUSAGE_THREAD);
    size_t nBytes = 0;
    for (int i = 0; i < nRecords; ++i) {
        std::string strLine = Record(static_cast<uint32_t>(i * 32), i);
        write(fd, strLine.data(), strLine.size());
        nBytes += strLine.size();
        // The echo of the line is what paces the sender, as in the upgrade.
        if (!WaitFor(fd, "\r\r\n", strSeen)) {
            std::fprintf(stderr, "no echo for line %d\n", i);
            return 1;
        }
    }
    double dWall = std::chrono::duration<double>(std::chrono::steady_clock::now() - tStart).count();
    double dCpu = CpuSeconds(RUSAGE_SELF) - CpuSeconds(RUSAGE_THREAD) - dCpuStart;
    std::printf("paced 115200-baud line: %zu bytes each way in %.2f s (%.0f bytes/s, UART limit "
                "11520)\n",
                nBytes, dWall, nBytes / dWall);
    std::printf("simulator threads' CPU: %.3f s = %.1f %% of one core\n", dCpu,
                100.0 * dCpu / dWall);
    close(fd);
    return 0;
}
