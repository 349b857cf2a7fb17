#include "SimProcess.h"

#include <chrono>
#include <csignal>
#include <sstream>
#include <thread>

namespace fs = std::filesystem;

CSimProcess::CSimProcess(const fs::path& dir, const std::string& strName,
                         std::vector<std::string> args)
    : m_out(dir / (strName + ".sim-out")), m_err(dir / (strName + ".sim-err")),
      m_transcript(dir / (strName + ".transcript")), m_runtime(dir / "runtime"),
      m_args(std::move(args)) {}

CSimProcess::~CSimProcess() {
    if (m_process.Running())
        Stop();
}

bool CSimProcess::Start() {
    fs::create_directories(m_runtime);
    std::vector<std::string> args{KTR84_MODSIM_PATH};
    args.insert(args.end(), m_args.begin(), m_args.end());
    args.insert(args.end(), {"--transcript", m_transcript.string()});
    if (!m_process.Start(args, {"XDG_RUNTIME_DIR=" + m_runtime.string()}, m_out, m_err))
        return false;
    for (int i = 0; i < 1000 && m_process.Running(); ++i) {
        const std::string strOut = ReadFile(m_out);
        if (const size_t nEnd = strOut.find('\n'); nEnd != std::string::npos) {
            m_strDevice = strOut.substr(0, nEnd);
            return true;
        }
        m_process.WaitFor(10);
    }
    return false;
}

std::vector<SimCommand> CSimProcess::Commands() const {
    return ParseTranscript(ReadFile(m_transcript));
}

bool CSimProcess::WaitForCommand(const std::function<bool(const SimCommand&)>& isIt,
                                 int nLimitMs) const {
    const auto until = std::chrono::steady_clock::now() + std::chrono::milliseconds(nLimitMs);
    do {
        for (const SimCommand& command : Commands())
            if (isIt(command))
                return true;
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    } while (std::chrono::steady_clock::now() < until);
    return false;
}

std::string CSimProcess::WaitForAnnouncement(const std::string& strKind, int nLimitMs) const {
    const fs::path link =
        m_runtime / "ktr84-modsim" / (strKind + "-" + std::to_string(m_process.Pid()));
    const auto until = std::chrono::steady_clock::now() + std::chrono::milliseconds(nLimitMs);
    while (!fs::is_symlink(link) && std::chrono::steady_clock::now() < until)
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    return fs::is_symlink(link) ? link.string() : std::string();
}

int CSimProcess::Stop() {
    m_process.Signal(SIGTERM);
    return m_process.Wait();
}

// "     123 ms   9600 baud  Login: field" -> {9600, "Login: field"}.
std::vector<SimCommand> ParseTranscript(const std::string& strText) {
    std::vector<SimCommand> out;
    std::istringstream in(strText);
    for (std::string strLine; std::getline(in, strLine);) {
        const size_t nMs = strLine.find(" ms ");
        const size_t nBaud = strLine.find(" baud  ");
        if (nMs == std::string::npos || nBaud == std::string::npos)
            continue;
        out.push_back(
            {std::stoi(strLine.substr(nMs + 4, nBaud - nMs - 4)), strLine.substr(nBaud + 7)});
    }
    return out;
}

std::string CommandsText(const std::vector<SimCommand>& commands) {
    std::string out;
    for (const SimCommand& c : commands)
        out += "[" + std::to_string(c.nBaud) + " " + c.strText + "] ";
    return out;
}

std::vector<std::string> QuickLegacy(const std::string& strKind) {
    // A loaded test machine is slow to answer the restart; the window is wide.
    return {"--module", strKind, "--flash-write-seconds", "0.2", "--restart-window", "5"};
}

std::vector<std::string> QuickIp() {
    return {"--module",  "ip",
            "--no-pace", "--reboot-seconds",
            "0.15",      "--boot-delay",
            "1",         "--kernel-seconds",
            "0.2",       "--login-fail-delay",
            "0.1",       "--erase-seconds",
            "0.01",      "--program-rate",
            "20000000"};
}
