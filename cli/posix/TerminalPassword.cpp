#include "cli/TerminalPassword.h"

#include <fcntl.h>
#include <poll.h>
#include <termios.h>
#include <unistd.h>

#include <cerrno>

namespace {
void WriteAll(int nFd, const std::string& strText) {
    size_t nDone = 0;
    while (nDone < strText.size()) {
        const ssize_t n = write(nFd, strText.data() + nDone, strText.size() - nDone);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return;
        nDone += static_cast<size_t>(n);
    }
}

// Reads up to the line end; nothing on end of input, a failure or a stop.
std::optional<std::string> ReadLine(int nFd, const std::function<bool()>& fnStop) {
    std::string strLine;
    for (;;) {
        if (fnStop && fnStop())
            return std::nullopt;
        pollfd pfd{nFd, POLLIN, 0};
        const int nReady = poll(&pfd, 1, 100);
        if (nReady < 0 && errno != EINTR)
            return std::nullopt;
        if (nReady <= 0)
            continue;
        char c = 0;
        const ssize_t n = read(nFd, &c, 1);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return std::nullopt;
        if (c == '\n' || c == '\r')
            return strLine;
        strLine += c;
    }
}
} // namespace

bool CanAskOnTerminal() {
    if (!isatty(STDIN_FILENO))
        return false;
    const int nFd = open("/dev/tty", O_RDWR | O_NOCTTY | O_CLOEXEC);
    if (nFd < 0)
        return false;
    close(nFd);
    return true;
}

std::optional<std::string> AskOnTerminal(const std::string& strQuestion,
                                         const std::function<bool()>& fnStop) {
    const int nFd = open("/dev/tty", O_RDWR | O_NOCTTY | O_CLOEXEC);
    if (nFd < 0)
        return std::nullopt;
    termios saved{};
    const bool bSaved = tcgetattr(nFd, &saved) == 0;
    if (bSaved) {
        termios quiet = saved;
        quiet.c_lflag &= ~static_cast<tcflag_t>(ECHO);
        quiet.c_lflag |= ECHONL;
        tcsetattr(nFd, TCSAFLUSH, &quiet);
    }
    WriteAll(nFd, strQuestion);
    std::optional<std::string> answer = ReadLine(nFd, fnStop);
    if (bSaved)
        tcsetattr(nFd, TCSAFLUSH, &saved);
    if (!answer)
        WriteAll(nFd, "\n");
    close(nFd);
    return answer;
}
