#include "FarEndSession.h"

#include <cctype>
#include <cstdlib>
#include <fcntl.h>
#include <sys/socket.h>
#include <unistd.h>

#include "testing/FarEndProtocol.h"
#include "testing/PtyPair.h"

namespace {
bool SendLine(int nSocket, const std::string& strLine) {
    const std::string strOut = strLine + "\n";
    size_t nDone = 0;
    while (nDone < strOut.size()) {
        const ssize_t n = send(nSocket, strOut.data() + nDone, strOut.size() - nDone, 0);
        if (n <= 0)
            return false;
        nDone += static_cast<size_t>(n);
    }
    return true;
}

bool ReadLine(int nSocket, std::string& strPending, std::string& strLine) {
    size_t nEnd;
    while ((nEnd = strPending.find('\n')) == std::string::npos) {
        char buf[65536];
        const ssize_t n = recv(nSocket, buf, sizeof buf, 0);
        if (n <= 0)
            return false;
        strPending.append(buf, static_cast<size_t>(n));
    }
    strLine = strPending.substr(0, nEnd);
    strPending.erase(0, nEnd + 1);
    return true;
}

std::string Answer(CPtyPair& pty, char cRequest, const std::string& strArgument) {
    const long nArgument = std::atol(strArgument.c_str());
    switch (cRequest) {
    case 'S':
        pty.Send(BytesOfHex(strArgument));
        return "0";
    case 'R':
        return HexOf(pty.Receive(static_cast<int>(nArgument)));
    case 'A': {
        const std::string strGot = pty.ReceiveWaiting(static_cast<int>(nArgument));
        return std::to_string(pty.LineRate()) + " " + HexOf(strGot);
    }
    case 'N': {
        const auto bytes = pty.ReceiveBytes(static_cast<size_t>(nArgument));
        return HexOf(std::string(bytes.begin(), bytes.end()));
    }
    case 'H':
        pty.CloseMaster();
        return "0";
    case 'F':
        return std::to_string(pty.FillTowardsMaster());
    case 'Q':
        return std::to_string(pty.QueuedAtSlave());
    case 'W':
        return pty.WaitQueuedAtSlave(static_cast<int>(nArgument)) ? "1" : "0";
    case 'B':
        return std::to_string(pty.LineRate());
    default:
        return "?";
    }
}

} // namespace

CLinePool::CLinePool(const std::string& strFolder, int nLines) : m_strFolder(strFolder) {
    for (int nCom = 20; nCom < 256 && static_cast<int>(m_lines.size()) < nLines; ++nCom) {
        auto pPty = std::make_unique<CPtyPair>(true);
        const std::string strCom = "COM" + std::to_string(nCom);
        if (!pPty->Ok() || symlink(pPty->SlavePath().c_str(), LinkOf(strCom).c_str()) != 0)
            continue;
        // Nothing the program starts (Wine's services) may keep the line open.
        fcntl(pPty->Master(), F_SETFD, FD_CLOEXEC);
        fcntl(pPty->Slave(), F_SETFD, FD_CLOEXEC);
        m_linked.push_back(strCom);
        m_lines.push_back({std::move(pPty), strCom});
    }
}

void CLinePool::Unlink() {
    std::lock_guard<std::mutex> lock(m_mutex);
    for (const std::string& strCom : m_linked)
        unlink(LinkOf(strCom).c_str());
    m_linked.clear();
}

std::string CLinePool::LinkOf(const std::string& strCom) const {
    std::string strLink = m_strFolder + "/";
    for (char c : strCom)
        strLink.push_back(static_cast<char>(std::tolower(static_cast<unsigned char>(c))));
    return strLink;
}

CLinePool::Line CLinePool::Take() {
    std::lock_guard<std::mutex> lock(m_mutex);
    if (m_nNext >= m_lines.size())
        return {};
    return std::move(m_lines[m_nNext++]);
}

void CLinePool::Done(const std::string& strCom) {
    std::lock_guard<std::mutex> lock(m_mutex);
    for (auto it = m_linked.begin(); it != m_linked.end(); ++it) {
        if (*it == strCom) {
            unlink(LinkOf(strCom).c_str());
            m_linked.erase(it);
            return;
        }
    }
}

void ServeFarEnd(int nSocket, CLinePool& pool) {
    CLinePool::Line line = pool.Take();
    if (!line.strCom.empty() && SendLine(nSocket, line.strCom)) {
        std::string strPending, strLine;
        while (ReadLine(nSocket, strPending, strLine) && !strLine.empty()) {
            const std::string strArgument = strLine.size() > 2 ? strLine.substr(2) : "";
            if (!SendLine(nSocket, Answer(*line.pPty, strLine[0], strArgument)))
                break;
        }
    }
    pool.Done(line.strCom);
    close(nSocket);
}
