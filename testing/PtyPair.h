#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "testing/ProcessCounts.h"

// A pseudo-terminal for tests: the test holds the master and plays the far
// end of the cable; the code under test opens SlavePath() as its serial port.
// A descriptor of the slave stays open too, to read the line's settings and
// so that the master sees no hang-up between the code's opens.
class CPtyPair {
public:
    // bRaw9600: the slave starts raw at 9600, as a module's line would be found.
    explicit CPtyPair(bool bRaw9600 = false);
    ~CPtyPair();
    CPtyPair(const CPtyPair&) = delete;
    CPtyPair& operator=(const CPtyPair&) = delete;

    bool Ok() const { return m_nMaster >= 0 && !m_strSlave.empty(); }
    const std::string& SlavePath() const { return m_strSlave; }
    int Master() const { return m_nMaster; }
    int Slave() const { return m_nSlave; }

    // What the far end sends.
    void Send(const std::string& text) const;
    void Send(const std::vector<unsigned char>& bytes) const;
    // Everything the code wrote that arrives before the line is quiet for nMs.
    std::string Receive(int nMs = 50) const;
    // What has arrived, waiting up to nMs for its first byte only.
    std::string ReceiveWaiting(int nMs) const;
    // Collects nCount bytes; gives up (returning fewer) after a few seconds.
    std::vector<unsigned char> ReceiveBytes(size_t nCount) const;
    // The far end goes away, as an unplugged adapter does.
    void CloseMaster();
    // Fills the line towards the far end until it takes no more; returns the
    // number of bytes that went in.
    size_t FillTowardsMaster();
    // Bytes the line holds for the code's side.
    int QueuedAtSlave() const;
    // Waits (a few seconds at most) until the slave holds nCount bytes.
    bool WaitQueuedAtSlave(int nCount) const;
    // The rate the code has set on the line, -1 when it is none of the table's.
    int32_t LineRate() const;

private:
    int m_nMaster = -1;
    int m_nSlave = -1;
    std::string m_strSlave;
};
