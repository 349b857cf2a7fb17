#pragma once

#include <string>

// A scripted terminal on the simulator's line: opens the pty as the
// upgrader would (raw, 8N1, a chosen rate) and reads until a literal shows.
class CSimClient {
public:
    // nBaud 0 leaves the line's settings as they are.
    explicit CSimClient(const std::string& strPath, int nBaud = 9600);
    ~CSimClient();
    CSimClient(const CSimClient&) = delete;
    CSimClient& operator=(const CSimClient&) = delete;

    bool IsOpen() const { return m_nFd >= 0; }
    void SetBaud(int nBaud);
    void Send(const std::string& strText);
    // Everything read up to and including the first strLiteral; what follows
    // stays for the next call. Gives up (returning what came) after nLimitMs.
    std::string ReadUntil(const std::string& strLiteral, int nLimitMs = 8000);
    std::string ReadFor(int nMs);
    bool LineFailed() const { return m_bFailed; } // a read ended in an error or hang-up
    void Close();

private:
    bool Fill(int nWaitMs);

    int m_nFd = -1;
    std::string m_strBuffer;
    bool m_bFailed = false;
};

// The bytes of a text shown readably, for failure messages.
std::string Visible(const std::string& strText);
