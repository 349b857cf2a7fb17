#include "testing/FarEnd.h"

#include <cstdlib>
#include <winsock2.h>
#include <ws2tcpip.h>

#include "testing/FarEndProtocol.h"

// What Wine reports for a pseudo-terminal whose master has closed (EIO): the
// device is not ready.
const int kHangUpError = ERROR_NOT_READY;
const char* const kMissingPort = "COM19"; // below the far end's, above Wine's own
const int kMissingPortError = ERROR_FILE_NOT_FOUND;
const int kLineReadAhead = 1;

struct CFarEnd::CImpl {
    SOCKET socket = INVALID_SOCKET;
    std::string strPort;
    std::string strPending; // received beyond the last answer

    bool Connect() {
        const char* pszPort = std::getenv(kFarEndPortVariable);
        if (!pszPort)
            return false;
        socket = ::socket(AF_INET, SOCK_STREAM, IPPROTO_TCP);
        sockaddr_in address{};
        address.sin_family = AF_INET;
        address.sin_port = htons(static_cast<u_short>(std::atoi(pszPort)));
        address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        if (socket == INVALID_SOCKET ||
            connect(socket, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0)
            return false;
        strPort = ReadAnswer();
        return !strPort.empty();
    }
    std::string ReadAnswer() {
        size_t nEnd;
        while ((nEnd = strPending.find('\n')) == std::string::npos) {
            char buf[4096];
            const int n = recv(socket, buf, sizeof buf, 0);
            if (n <= 0)
                return {};
            strPending.append(buf, static_cast<size_t>(n));
        }
        std::string strAnswer = strPending.substr(0, nEnd);
        strPending.erase(0, nEnd + 1);
        return strAnswer;
    }
    std::string Ask(const std::string& strRequest) {
        const std::string strLine = strRequest + "\n";
        if (send(socket, strLine.data(), static_cast<int>(strLine.size()), 0) !=
            static_cast<int>(strLine.size()))
            return {};
        return ReadAnswer();
    }
};

CFarEnd::CFarEnd() : m_pImpl(std::make_unique<CImpl>()) {
    WSADATA data;
    WSAStartup(MAKEWORD(2, 2), &data);
    m_pImpl->Connect();
}

CFarEnd::~CFarEnd() {
    if (m_pImpl->socket != INVALID_SOCKET)
        closesocket(m_pImpl->socket);
    WSACleanup();
}

bool CFarEnd::Ok() const {
    return !m_pImpl->strPort.empty();
}

const std::string& CFarEnd::PortName() const {
    return m_pImpl->strPort;
}

void CFarEnd::Send(const std::string& text) {
    m_pImpl->Ask("S " + HexOf(text));
}

void CFarEnd::Send(const std::vector<unsigned char>& bytes) {
    Send(std::string(bytes.begin(), bytes.end()));
}

std::string CFarEnd::Receive(int nMs) {
    return BytesOfHex(m_pImpl->Ask("R " + std::to_string(nMs)));
}

std::string CFarEnd::ReceiveWaiting(int nMs, int32_t& nRate) {
    const std::string strAnswer = m_pImpl->Ask("A " + std::to_string(nMs));
    const size_t nSpace = strAnswer.find(' ');
    nRate = std::atoi(strAnswer.c_str());
    return nSpace == std::string::npos ? std::string() : BytesOfHex(strAnswer.substr(nSpace + 1));
}

std::vector<unsigned char> CFarEnd::ReceiveBytes(size_t nCount) {
    const std::string bytes = BytesOfHex(m_pImpl->Ask("N " + std::to_string(nCount)));
    return {bytes.begin(), bytes.end()};
}

void CFarEnd::HangUp() {
    m_pImpl->Ask("H");
}

size_t CFarEnd::FillTowardsFarEnd() {
    return std::strtoul(m_pImpl->Ask("F").c_str(), nullptr, 10);
}

int CFarEnd::QueuedAtLine() {
    return std::atoi(m_pImpl->Ask("Q").c_str());
}

bool CFarEnd::WaitQueuedAtLine(int nCount) {
    return m_pImpl->Ask("W " + std::to_string(nCount)) == "1";
}

int32_t CFarEnd::LineRate() {
    return std::atoi(m_pImpl->Ask("B").c_str());
}
