#pragma once

#include <fcntl.h>
#include <poll.h>
#include <pty.h>
#include <string>
#include <unistd.h>

// A pseudo-terminal for tests: the test holds the master and plays the module;
// the code under test opens SlavePath() as its serial port.
class CPtyPair {
public:
    CPtyPair() {
        int nSlave = -1;
        char name[128] = {};
        if (openpty(&m_nMaster, &nSlave, name, nullptr, nullptr) == 0) {
            m_strSlave = name;
            // Keep the slave open so the master sees no hang-up between opens.
            m_nSlave = nSlave;
        }
    }
    ~CPtyPair() {
        if (m_nSlave >= 0)
            close(m_nSlave);
        if (m_nMaster >= 0)
            close(m_nMaster);
    }
    CPtyPair(const CPtyPair&) = delete;
    CPtyPair& operator=(const CPtyPair&) = delete;

    bool Ok() const { return m_nMaster >= 0 && !m_strSlave.empty(); }
    const std::string& SlavePath() const { return m_strSlave; }
    int Master() const { return m_nMaster; }

    void Send(const std::string& text) const {
        size_t done = 0;
        while (done < text.size()) {
            ssize_t n = write(m_nMaster, text.data() + done, text.size() - done);
            if (n <= 0)
                return;
            done += static_cast<size_t>(n);
        }
    }

    // The module's end goes away, as an unplugged adapter does.
    void CloseMaster() {
        if (m_nMaster >= 0)
            close(m_nMaster);
        m_nMaster = -1;
    }

    // Everything the code under test wrote that arrives within nMs.
    std::string Receive(int nMs = 50) const {
        std::string out;
        pollfd pfd{m_nMaster, POLLIN, 0};
        while (poll(&pfd, 1, nMs) > 0 && (pfd.revents & POLLIN)) {
            char buf[4096];
            ssize_t n = read(m_nMaster, buf, sizeof buf);
            if (n <= 0)
                break;
            out.append(buf, static_cast<size_t>(n));
        }
        return out;
    }

private:
    int m_nMaster = -1;
    int m_nSlave = -1;
    std::string m_strSlave;
};
