#pragma once

#include <atomic>
#include <chrono>
#include <mutex>
#include <poll.h>
#include <random>
#include <string>
#include <thread>
#include <unistd.h>
#include <vector>

// A test's stand-in for the IP-Enabled Controller on the master side of a
// pseudo-terminal: its operating system's log-in and shell, and enough of the
// boot monitor (texts as a real U-Boot prints them) for a whole upgrade.
struct MiniOptions {
    enum Start { Login, Password, Shell, Monitor } start = Login;
    std::string strPassword = "8484";
    std::string strRamVerdict = "OK"; // or "Bad Header", "Bad Data"
    std::string strFlashVerdict = "OK";
    std::string strSilentFrom;  // from the command starting with this, print nothing
    std::string strForeignText; // another module kind: this text answers every CR
    bool bFragments = false;    // output in random pieces with short pauses (the upload's echo
                                // in pieces without pauses, to keep the run short)
    unsigned nSeed = 1;
};

class CMiniModule {
public:
    CMiniModule(int nMaster, MiniOptions options)
        : m_nMaster(nMaster), m_opt(std::move(options)), m_rng(m_opt.nSeed) {
        m_mode = m_opt.start == MiniOptions::Login      ? Mode::Login
                 : m_opt.start == MiniOptions::Password ? Mode::Password
                 : m_opt.start == MiniOptions::Shell    ? Mode::Shell
                                                        : Mode::Monitor;
        m_thread = std::thread([this] { Run(); });
    }
    ~CMiniModule() {
        m_bStop = true;
        m_thread.join();
    }

    std::vector<std::string> Commands() const {
        std::lock_guard<std::mutex> lock(m_mutex);
        return m_commands;
    }
    std::string Loaded() const {
        std::lock_guard<std::mutex> lock(m_mutex);
        return m_strLoaded;
    }
    std::string Flash() const {
        std::lock_guard<std::mutex> lock(m_mutex);
        return m_strFlash;
    }
    bool Booted() const { return m_bBooted; }
    bool Verified() const { return m_bVerified; }

private:
    enum class Mode { Login, Password, Shell, Autoboot, Monitor, BaudCr, Loads, Silent };

    void Run() {
        char buf[4096];
        while (!m_bStop) {
            pollfd pfd{m_nMaster, POLLIN, 0};
            if (poll(&pfd, 1, 5) <= 0 || !(pfd.revents & POLLIN))
                continue;
            const ssize_t n = read(m_nMaster, buf, sizeof buf);
            for (ssize_t i = 0; i < n; ++i)
                Take(buf[i]);
        }
    }

    void Out(const std::string& text) {
        if (m_mode == Mode::Silent)
            return;
        if (!m_opt.bFragments) {
            Write(text);
            return;
        }
        for (size_t nAt = 0; nAt < text.size();) {
            const size_t nLen = std::uniform_int_distribution<size_t>(1, 12)(m_rng);
            Write(text.substr(nAt, nLen));
            nAt += nLen;
            if (m_mode != Mode::Loads)
                std::this_thread::sleep_for(
                    std::chrono::microseconds(std::uniform_int_distribution<int>(0, 1500)(m_rng)));
        }
    }
    void Write(const std::string& text) {
        for (size_t nDone = 0; nDone < text.size();) {
            const ssize_t n = write(m_nMaster, text.data() + nDone, text.size() - nDone);
            if (n <= 0)
                return;
            nDone += static_cast<size_t>(n);
        }
    }

    void Take(char c) {
        if (m_mode == Mode::Silent)
            return;
        if (m_mode == Mode::Loads) {
            TakeLoads(c);
            return;
        }
        if (m_mode == Mode::Autoboot) { // any key stops the count-down
            m_mode = Mode::Monitor;
            Out("\b\b\b 0 \r\n=> ");
            return;
        }
        if (m_mode == Mode::BaudCr) {
            if (c == '\r') {
                m_mode = Mode::Monitor;
                Out("=> ");
            }
            return;
        }
        if (c == '\n')
            return;
        if (c != '\r') {
            m_strLine += c;
            return;
        }
        std::string line;
        line.swap(m_strLine);
        {
            std::lock_guard<std::mutex> lock(m_mutex);
            m_commands.push_back(line);
        }
        if (!m_opt.strSilentFrom.empty() && line.rfind(m_opt.strSilentFrom, 0) == 0) {
            m_mode = Mode::Silent;
            return;
        }
        if (!m_opt.strForeignText.empty()) {
            Out("\r\n" + m_opt.strForeignText);
            return;
        }
        Line(line);
    }

    // Prompts of the operating system are printed again only after input.
    void Prompt(const std::string& text, const std::string& line) {
        if (line.empty() && m_bPromptShown)
            return;
        Out(text);
        m_bPromptShown = true;
    }

    void Line(const std::string& line) {
        switch (m_mode) {
        case Mode::Login:
            if (line.empty())
                Prompt("\r\nktr84 login: ", line);
            else {
                Out(line + "\r\nPassword: ");
                m_mode = Mode::Password;
            }
            return;
        case Mode::Password:
            if (line.empty() && m_opt.start == MiniOptions::Password && !m_bPromptShown) {
                Prompt("\r\nPassword: ", line);
            } else if (line == m_opt.strPassword) {
                m_mode = Mode::Shell;
                m_bPromptShown = false;
                Prompt("\r\nroot@ktr84:~# ", {});
            } else if (!line.empty() || !m_bPromptShown) {
                // The verdict and the next prompt come in two writes.
                Out("\r\nLogin incorrect\r\n");
                std::this_thread::sleep_for(std::chrono::milliseconds(30));
                m_mode = Mode::Login;
                m_bPromptShown = false;
                Prompt("ktr84 login: ", {});
            }
            return;
        case Mode::Shell:
            if (line == "reboot") {
                Out("reboot\r\nThe system is going down NOW!\r\n\r\nU-Boot 1.1.4\r\n\r\n"
                    "Hit any key to stop autoboot:  2 ");
                m_mode = Mode::Autoboot;
            } else {
                if (!line.empty())
                    m_bPromptShown = false;
                Prompt("\r\nroot@ktr84:~# ", line);
            }
            return;
        default:
            Monitor(line);
        }
    }

    void Monitor(const std::string& line) {
        if (line.empty()) {
            Out("\r\n=> ");
        } else if (line.rfind("setenv baudrate ", 0) == 0) {
            Out(line + "\r\n## Switch baudrate to " + line.substr(16) +
                " bps and press ENTER ...\r\n");
            m_mode = Mode::BaudCr;
        } else if (line == "echo") {
            Out("echo\r\n\r\n=> ");
        } else if (line == "loads 10000") {
            Out("loads 10000\r\n## Ready for S-Record download ...\r\n");
            m_mode = Mode::Loads;
        } else if (line == "imi 10000" || line == "imi 400E0000") {
            const bool bFlash = line != "imi 10000";
            const std::string& verdict = bFlash ? m_opt.strFlashVerdict : m_opt.strRamVerdict;
            if (bFlash && verdict == "OK")
                m_bVerified = true;
            Out(line + "\r\n\r\n## Checking Image at " + line.substr(4) +
                " ...\r\n   Legacy image found\r\n" +
                (verdict == "Bad Header" ? "   Bad Header Checksum\r\n=> "
                 : verdict == "Bad Data" ? "   Verifying Checksum ...    Bad Data CRC\r\n=> "
                                         : "   Verifying Checksum ... OK\r\n=> "));
        } else if (line == "erase 400E0000 4031ffff") {
            Out(line + "\r\n\r\n.................. done\r\nErased 18 sectors\r\n=> ");
        } else if (line == "cp.b 10000 400E0000 $(filesize) ") {
            {
                std::lock_guard<std::mutex> lock(m_mutex);
                m_strFlash = m_strLoaded;
            }
            Out(line + "\r\nCopy to Flash... done\r\n=> ");
        } else if (line == "bootd") {
            Out("bootd\r\n## Booting image at 40040000 ...\r\n");
            m_bBooted = true;
            m_mode = Mode::Login;
            m_bPromptShown = false;
            Prompt("\r\nktr84 login: ", {});
        } else {
            Out(line + "\r\nUnknown command '" + line + "' - try 'help'\r\n=> ");
        }
    }

    // The monitor echoes every record line as "<line>\r\r\n".
    void TakeLoads(char c) {
        {
            std::lock_guard<std::mutex> lock(m_mutex);
            m_strLoaded += c;
        }
        if (c != '\n') {
            m_strLine += c;
            return;
        }
        std::string line;
        line.swap(m_strLine);
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        Out(line + "\r\r\n");
        if (line.rfind("S8", 0) == 0 || line.rfind("S9", 0) == 0 || line.rfind("S7", 0) == 0) {
            m_mode = Mode::Monitor;
            Out("\r\n## First Load Addr = 0x00010000\r\n## Total Size      = 0x001EFFF2\r\n"
                "## Start Addr      = 0x00000000\r\n=> ");
        }
    }

    int m_nMaster;
    MiniOptions m_opt;
    std::mt19937 m_rng;
    Mode m_mode;
    std::string m_strLine;
    bool m_bPromptShown = false;
    std::atomic<bool> m_bStop{false};
    std::atomic<bool> m_bBooted{false};
    std::atomic<bool> m_bVerified{false};
    mutable std::mutex m_mutex;
    std::vector<std::string> m_commands;
    std::string m_strLoaded;
    std::string m_strFlash;
    std::thread m_thread;
};
