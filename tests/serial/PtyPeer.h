#pragma once

#include <string>
#include <vector>

// A pseudo-terminal for serial line tests. The test holds the master side
// (the "module" end) and also keeps a descriptor of the slave open, to look at
// the line's termios; the port object opens the slave by its path.
class CPtyPeer {
public:
    CPtyPeer();
    ~CPtyPeer();
    CPtyPeer(const CPtyPeer&) = delete;
    CPtyPeer& operator=(const CPtyPeer&) = delete;

    const std::string& SlavePath() const { return m_strSlavePath; }
    int Master() const { return m_nMaster; }
    int Slave() const { return m_nSlave; }

    // What the module end sends and receives.
    void Send(const std::vector<unsigned char>& bytes);
    void Send(const std::string& text);
    // Collects nCount bytes; gives up (returning fewer) after a few seconds.
    std::vector<unsigned char> Receive(size_t nCount);
    // The module end goes away, as an unplugged adapter does.
    void CloseMaster();
    // Fills the line towards the module end until it takes no more; returns
    // the number of bytes that went in.
    size_t FillTowardsMaster();
    // Bytes the line has queued for the port object's side.
    int QueuedAtSlave() const;
    // Waits (a few seconds at most) until the slave has nCount bytes queued.
    bool WaitQueuedAtSlave(int nCount) const;

private:
    int m_nMaster = -1;
    int m_nSlave = -1;
    std::string m_strSlavePath;
};

// Descriptors and threads of this process right now.
int CountOpenDescriptors();
int CountThreads();
// The thread count once it has settled at nExpected (a joined thread can take
// a moment to leave /proc); the last count seen if it never does.
int CountThreadsSettled(int nExpected);
