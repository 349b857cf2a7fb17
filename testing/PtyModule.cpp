#include "testing/PtyModule.h"

#include <algorithm>

CPtyModule::CPtyModule() = default;

CPtyModule::~CPtyModule() = default;

void CPtyModule::Expect(const std::string& strExpect, const std::string& strReply,
                        int64_t nDelayMs) {
    m_script.push_back({strExpect, strReply, nDelayMs});
}

void CPtyModule::SayApart(const std::string& strText) {
    Say(strText);
    // Held until the text waits on the upgrader's side, so it is read alone.
    m_line.WaitQueuedAtLine(1);
}

void CPtyModule::Say(const std::string& strText) {
    m_line.Send(strText);
}

int32_t CPtyModule::LineRate() {
    return m_line.LineRate();
}

int32_t CPtyModule::RateAt(size_t nOffset) const {
    int32_t nRate = -1;
    for (const auto& [nFirst, nAt] : m_rates)
        if (nFirst <= nOffset)
            nRate = nAt;
    return nRate;
}

void CPtyModule::Service(int64_t nNowMs) {
    // A short grace lets bytes still inside the terminal layer arrive.
    int32_t nRate = -1;
    const std::string strNew = m_line.ReceiveWaiting(m_nStep < m_script.size() ? 2 : 0, nRate);
    if (!strNew.empty()) {
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
