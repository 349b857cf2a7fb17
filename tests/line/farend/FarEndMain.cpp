// ktr84-farend <dosdevices folder> <program> [arguments...]
// (cmake/wine-run.sh --far-end starts it once the prefix is there.)
// Runs the program (a Windows test under Wine) with KTR84_FAREND_PORT set to
// a loopback port, and plays the far end of a fresh line for every connection
// to it, linked as COM20, COM21, ... in the given folder (the first free
// ones, so that programs can run at once). Exits as the program did.
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <functional>
#include <netinet/in.h>
#include <string>
#include <sys/socket.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

#include "FarEndSession.h"
#include "testing/FarEndProtocol.h"

namespace {
int ListenOnLoopback(int& nPort) {
    const int nSocket = socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    socklen_t nLength = sizeof address;
    if (nSocket < 0 || bind(nSocket, reinterpret_cast<sockaddr*>(&address), nLength) != 0 ||
        listen(nSocket, 8) != 0 ||
        getsockname(nSocket, reinterpret_cast<sockaddr*>(&address), &nLength) != 0)
        return -1;
    nPort = ntohs(address.sin_port);
    return nSocket;
}

// Lines a test program may ask for: one a test, a handful a test case.
constexpr int kLinesPerProgram = 32;

void AcceptLines(int nListener, CLinePool* pPool) {
    for (;;) {
        const int nSocket = accept4(nListener, nullptr, nullptr, SOCK_CLOEXEC);
        if (nSocket < 0)
            return;
        std::thread(ServeFarEnd, nSocket, std::ref(*pPool)).detach();
    }
}
} // namespace

int main(int argc, char** argv) {
    if (argc < 3) {
        std::fprintf(stderr, "usage: ktr84-farend <dosdevices folder> <program> [arguments...]\n");
        return 2;
    }
    // The prefix must be there first: its creation must not meet the lines.
    std::error_code ec;
    if (!std::filesystem::is_directory(argv[1], ec)) {
        std::fprintf(stderr, "ktr84-farend: %s: no Wine prefix's dosdevices folder\n", argv[1]);
        return 2;
    }
    int nPort = 0;
    const int nListener = ListenOnLoopback(nPort);
    if (nListener < 0) {
        std::perror("ktr84-farend: listen");
        return 2;
    }
    setenv(kFarEndPortVariable, std::to_string(nPort).c_str(), 1);
    // Outlives the sessions, which are detached and end with the process.
    auto* pPool = new CLinePool(argv[1], kLinesPerProgram);
    const pid_t pid = fork();
    if (pid == 0) {
        execvp(argv[2], argv + 2);
        std::perror("ktr84-farend: exec");
        _exit(127);
    }
    std::thread(AcceptLines, nListener, pPool).detach();
    int nStatus = 0;
    waitpid(pid, &nStatus, 0);
    pPool->Unlink();
    return WIFEXITED(nStatus) ? WEXITSTATUS(nStatus) : 1;
}
