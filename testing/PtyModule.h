#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "testing/FarEnd.h"

// The module at the far end of a fresh line (a pseudo-terminal; under Wine
// reached through ktr84-farend), played by a test: it records every byte
// the upgrader writes (with the line rate in force when it was read) and
// answers from a script of expected texts. Service() is called from the
// scripted window's clock and pump hooks, so the module answers between the
// upgrader's own steps.
class CPtyModule {
public:
    CPtyModule();
    ~CPtyModule();
    CPtyModule(const CPtyModule&) = delete;
    CPtyModule& operator=(const CPtyModule&) = delete;

    const std::string& Path() const { return m_line.PortName(); }

    // When strExpect has arrived (after what earlier steps consumed), send
    // strReply, but not before nDelayMs after the previous step fired. Steps
    // are taken in order; an empty expectation needs only the delay.
    void Expect(const std::string& strExpect, const std::string& strReply, int64_t nDelayMs = 0);
    // Called with every newly received piece, after the script had its turn.
    std::function<void(CPtyModule&, const std::string&)> onData;

    void Say(const std::string& strText);
    // Say, and return only once the text is ready for the upgrader's next poll.
    void SayApart(const std::string& strText);
    // Reads what arrived and plays the script; nNowMs is the test's clock.
    void Service(int64_t nNowMs);
    size_t PendingSteps() const { return m_script.size() - m_nStep; }

    // Everything received, and the rate set on the line when byte nOffset was read.
    std::string received;
    int32_t RateAt(size_t nOffset) const;
    int32_t LineRate();

private:
    struct Step {
        std::string strExpect, strReply;
        int64_t nDelayMs;
    };
    CFarEnd m_line;
    std::vector<Step> m_script;
    size_t m_nStep = 0;
    size_t m_nConsumed = 0;
    size_t m_nSearched = 0;
    int64_t m_nLastFireMs = 0;
    std::vector<std::pair<size_t, int32_t>> m_rates; // (first offset, rate)
};

// Index just past each text found in order in strHaystack, or npos for the
// first one missing.
size_t FindInOrder(const std::string& strHaystack, const std::vector<std::string>& texts,
                   std::vector<size_t>* pOffsets = nullptr);
