#include "SimClient.h"

#include "common/BaudRates.h"

#include <chrono>
#include <fcntl.h>
#include <poll.h>
#include <termios.h>
#include <unistd.h>

namespace {

// Rates the table does not know fall back to the power-on 9600.
speed_t Speed(int nBaud) {
    speed_t speed = B9600;
    BaudToSpeed(nBaud, speed);
    return speed;
}

} // namespace

CSimClient::CSimClient(const std::string& strPath, int nBaud) {
    m_nFd = open(strPath.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK);
    if (m_nFd >= 0 && nBaud > 0) {
        SetBaud(nBaud);
    }
}

CSimClient::~CSimClient() {
    Close();
}

void CSimClient::Close() {
    if (m_nFd >= 0) {
        close(m_nFd);
        m_nFd = -1;
    }
}

void CSimClient::SetBaud(int nBaud) {
    termios tio{};
    tcgetattr(m_nFd, &tio);
    cfmakeraw(&tio);
    tio.c_cflag |= CREAD | CLOCAL;
    cfsetispeed(&tio, Speed(nBaud));
    cfsetospeed(&tio, Speed(nBaud));
    tcsetattr(m_nFd, TCSANOW, &tio);
}

void CSimClient::Send(const std::string& strText) {
    size_t nDone = 0;
    while (m_nFd >= 0 && nDone < strText.size()) {
        ssize_t n = write(m_nFd, strText.data() + nDone, strText.size() - nDone);
        if (n > 0) {
            nDone += static_cast<size_t>(n);
        } else {
            pollfd pfd{m_nFd, POLLOUT, 0};
            if (poll(&pfd, 1, 2000) <= 0 || (pfd.revents & (POLLERR | POLLHUP))) {
                m_bFailed = true;
                return;
            }
        }
    }
}

bool CSimClient::Fill(int nWaitMs) {
    pollfd pfd{m_nFd, POLLIN, 0};
    if (m_nFd < 0 || poll(&pfd, 1, nWaitMs) <= 0) {
        return false;
    }
    char buf[4096];
    ssize_t n = read(m_nFd, buf, sizeof buf);
    if (n <= 0) {
        m_bFailed = true;
        return false;
    }
    m_strBuffer.append(buf, static_cast<size_t>(n));
    return true;
}

std::string CSimClient::ReadUntil(const std::string& strLiteral, int nLimitMs) {
    auto tEnd = std::chrono::steady_clock::now() + std::chrono::milliseconds(nLimitMs);
    for (;;) {
        size_t nAt = m_strBuffer.find(strLiteral);
        if (nAt != std::string::npos) {
            std::string strOut = m_strBuffer.substr(0, nAt + strLiteral.size());
            m_strBuffer.erase(0, nAt + strLiteral.size());
            return strOut;
        }
        auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
            tEnd - std::chrono::steady_clock::now());
        if (left.count() <= 0 || m_bFailed) {
            std::string strOut;
            strOut.swap(m_strBuffer);
            return strOut;
        }
        Fill(static_cast<int>(left.count()));
    }
}

std::string CSimClient::ReadFor(int nMs) {
    auto tEnd = std::chrono::steady_clock::now() + std::chrono::milliseconds(nMs);
    for (;;) {
        auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
            tEnd - std::chrono::steady_clock::now());
        if (left.count() <= 0 || m_bFailed) {
            break;
        }
        Fill(static_cast<int>(left.count()));
    }
    std::string strOut;
    strOut.swap(m_strBuffer);
    return strOut;
}

std::string Visible(const std::string& strText) {
    std::string strOut;
    for (unsigned char c : strText) {
        if (c == '\r') {
            strOut += "\\r";
        } else if (c == '\n') {
            strOut += "\\n";
        } else if (c < 0x20 || c >= 0x7F) {
            char buf[8];
            snprintf(buf, sizeof buf, "\\x%02X", c);
            strOut += buf;
        } else {
            strOut += static_cast<char>(c);
        }
    }
    return strOut;
}
