#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "testing/ProcessCounts.h"

// The far end of a fresh serial line, played by a test: a pseudo-terminal
// whose master the test holds, while the code under test opens PortName() as
// its serial port. On Linux the test holds it itself (CPtyPair); under Wine
// the pseudo-terminal is made on the Linux side by ktr84-farend, which runs
// the test program, links the terminal as the prefix's dosdevices/comN and
// plays it on the test's requests. The same line tests run on both.
class CFarEnd {
public:
    CFarEnd();
    ~CFarEnd();
    CFarEnd(const CFarEnd&) = delete;
    CFarEnd& operator=(const CFarEnd&) = delete;

    bool Ok() const;
    // What the code opens: /dev/pts/N, or COMn.
    const std::string& PortName() const;

    // What the far end sends.
    void Send(const std::string& text);
    void Send(const std::vector<unsigned char>& bytes);
    // Everything the code wrote that arrives before the line is quiet for nMs.
    std::string Receive(int nMs = 50);
    // What has arrived, waiting up to nMs for its first byte only, and the
    // rate set on the line when it was read (one request under Wine).
    std::string ReceiveWaiting(int nMs, int32_t& nRate);
    // Collects nCount bytes; gives up (returning fewer) after a few seconds.
    std::vector<unsigned char> ReceiveBytes(size_t nCount);
    // The far end goes away, as an unplugged adapter does.
    void HangUp();
    // Fills the line towards the far end until it takes no more; the bytes
    // that went in.
    size_t FillTowardsFarEnd();
    // Bytes the line holds for the code's side, and a wait (a few seconds at
    // most) until it holds nCount.
    int QueuedAtLine();
    bool WaitQueuedAtLine(int nCount);
    // The rate the code has set on the line, -1 when none of the table's.
    int32_t LineRate();

private:
    struct CImpl;
    std::unique_ptr<CImpl> m_pImpl;
};

// The error the line reports when a read or a write meets the far end gone:
// EIO on Linux; under Wine what it reports for a terminal that hung up.
extern const int kHangUpError;
// A port that is not there, and the error its open reports.
extern const char* const kMissingPort;
extern const int kMissingPortError;
// Bytes the line may take from the driver before it is asked for them: on
// Windows the one-byte read that waits for input holds the next byte.
extern const int kLineReadAhead;
