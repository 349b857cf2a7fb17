#include "tests/legacy/PtyModule.h"

#include "common/BaudRates.h"

#include <algorithm>
#include <fcntl.h>
#include <poll.h>
#include <pty.h>
#include <termios.h>
#include <unistd.h>

namespace {
int32_t RateOf(speed_t speed) {
    int32_t nBaud = -1;
    return SpeedToBaud(speed, nBaud) ? nBaud : -1;
}
} // namespace

CPtyModule::CPtyModule() {
    char name[128] = {};
    termios raw{};
    cfmakeraw(&raw);
    cfsetspeed(&raw, B9600);
    if (openpty(&m_nMaster, &m_nSlave, name, &raw, nullptr) != 0)
        return;
    m_strPath = name;
    fcntl(m_nMaster, F_SETFL, fcntl(m_nMaster, F_GETFL) | O_NONBLOCK);
}

CPtyModule::~CPtyModule() {
    if (m_nSlave >= 0)
        close(m_nSlave);
    if (m_nMaster >= 0)
        close(m_nMaster);
}

void CPtyModule::Expect(const std::string& strExpect, const std::string& strReply,
                        int64_t nDelayMs) {
    m_script.push_back({strExpect, strReply, nDelayMs});
}

void CPtyModule::SayApart(const std::string& strText) {
    Say(strText);
    // Held until the text waits on the upgrader's side, so it is read alone.
    pollfd pfd{m_nSlave, POLLIN, 0};
    poll(&pfd, 1, 200);
}

void CPtyModule::Say(const std::string& strText) {
    size_t nDone = 0;
    while (nDone < strText.size()) {
        ssize_t n = write(m_nMaster, strText.data() + nDone, strText.size() - nDone);
        if (n > 0)
            nDone += static_cast<size_t>(n);
        else {
            pollfd pfd{m_nMaster, POLLOUT, 0};
            poll(&pfd, 1, 10);
        }
    }
}

int32_t CPtyModule::LineRate() const {
    termios tio{};
    return tcgetattr(m_nSlave, &tio) == 0 ? RateOf(cfgetospeed(&tio)) : -1;
}

int32_t CPtyModule::RateAt(size_t nOffset) const {
    int32_t nRate = -1;
    for (const auto& [nFirst, nAt] : m_rates)
        if (nFirst <= nOffset)
            nRate = nAt;
    return nRate;
}

void CPtyModule::Service(int64_t nNowMs) {
    std::string strNew;
    // A short grace lets bytes still inside the terminal layer arrive.
    for (int nWaitMs = m_nStep < m_script.size() ? 2 : 0;;) {
        pollfd pfd{m_nMaster, POLLIN, 0};
        if (poll(&pfd, 1, nWaitMs) <= 0 || !(pfd.revents & POLLIN))
            break;
        char buf[8192];
        ssize_t n = read(m_nMaster, buf, sizeof buf);
        if (n <= 0)
            break;
        strNew.append(buf, static_cast<size_t>(n));
        nWaitMs = 0;
    }
    if (!strNew.empty()) {
        const int32_t nRate = LineRate();
        if (m_rates.empty() || m_rates.back().second != nRate)
            m_rates.push_back({received.size(), nRate});
        received += strNew;
    }
    while (m_nStep < m_script.size()) {
        const Step& step = m_script[m_nStep];
        if (nNowMs - m_nLastFireMs < step.nDelayMs)
            break;
        // Search only what this step has not looked at yet.
        const size_t nFrom = std::max(m_nConsumed, m_nSearched);
        const size_t nAt = received.find(step.strExpect, nFrom);
        if (nAt == std::string::npos) {
            if (received.size() >= step.strExpect.size())
                m_nSearched = std::max(nFrom, received.size() - step.strExpect.size() + 1);
            break;
        }
        m_nConsumed = nAt + step.strExpect.size();
        ++m_nStep;
        m_nLastFireMs = nNowMs;
        Say(step.strReply);
    }
    if (onData && !strNew.empty())
        onData(*this, strNew);
}

size_t FindInOrder(const std::string& strHaystack, const std::vector<std::string>& texts,
                   std::vector<size_t>* pOffsets) {
    size_t nFrom = 0;
    for (const auto& text : texts) {
        const size_t nAt = strHaystack.find(text, nFrom);
        if (nAt == std::string::npos)
            return std::string::npos;
        if (pOffsets)
            pOffsets->push_back(nAt);
        nFrom = nAt + text.size();
    }
    return nFrom;
}
