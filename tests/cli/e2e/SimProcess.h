#pragma once

#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "ChildProcess.h"

// One command the simulated module received, from its --transcript file:
// the rate in force and the command as written (with its prompt, if any).
struct SimCommand {
    int nBaud = 0;
    std::string strText;
    bool operator==(const SimCommand&) const = default;
};

// ktr84-modsim as a program of its own, announcing into the test's folder and
// writing its transcript there.
class CSimProcess {
public:
    CSimProcess(const std::filesystem::path& dir, const std::string& strName,
                std::vector<std::string> args);
    ~CSimProcess();

    // Starts the simulator and waits for the device path it prints first.
    bool Start();
    const std::string& Device() const { return m_strDevice; }
    const std::filesystem::path& TranscriptFile() const { return m_transcript; }
    // The folder it announces its line in (its XDG_RUNTIME_DIR), and its pid.
    const std::filesystem::path& RuntimeDir() const { return m_runtime; }
    pid_t Pid() const { return m_process.Pid(); }
    // The link it announces its line by, <kind>-<pid>, once it is there (up
    // to nLimitMs); empty if it did not come.
    std::string WaitForAnnouncement(const std::string& strKind, int nLimitMs) const;

    std::vector<SimCommand> Commands() const;
    // Waits (up to nLimitMs) until a received command satisfies isIt.
    bool WaitForCommand(const std::function<bool(const SimCommand&)>& isIt, int nLimitMs) const;
    void Kill(int nSignal) { m_process.Signal(nSignal); }
    // Ends the simulator the way an operator does (SIGTERM) and waits for it.
    int Stop();
    std::string Stderr() const { return ReadFile(m_err); }

private:
    std::filesystem::path m_out, m_err, m_transcript, m_runtime;
    std::vector<std::string> m_args;
    CChildProcess m_process;
    std::string m_strDevice;
};

// The transcript lines of a --transcript file, without their times.
std::vector<SimCommand> ParseTranscript(const std::string& strText);
// "[9600 reset] [115200 u] ..." for failure messages.
std::string CommandsText(const std::vector<SimCommand>& commands);

// Options that make whole runs take seconds. Legacy modules pace their line
// like a UART (the simulator's default); the IP module delivers at once, so
// the whole file system image goes over in seconds.
std::vector<std::string> QuickLegacy(const std::string& strKind);
std::vector<std::string> QuickIp();
