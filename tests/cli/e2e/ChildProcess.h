#pragma once

#include <filesystem>
#include <string>
#include <sys/types.h>
#include <vector>

// A program started as a child: stdin from /dev/null, stdout and stderr into
// files, the environment of the test with some variables set over it.
class CChildProcess {
public:
    CChildProcess() = default;
    ~CChildProcess(); // a child still running is killed and reaped
    CChildProcess(const CChildProcess&) = delete;
    CChildProcess& operator=(const CChildProcess&) = delete;

    // strOutFile/strErrFile receive the child's stdout and stderr.
    bool Start(const std::vector<std::string>& args, const std::vector<std::string>& env,
               const std::filesystem::path& outFile, const std::filesystem::path& errFile);
    // The exit code, or 128 + the signal that ended the child; -1 if not started.
    int Wait();
    // Whether the child has ended within nMs; its code is then in ExitCode().
    bool WaitFor(int nMs);
    void Signal(int nSignal) const;

    bool Running() const { return m_pid > 0 && m_nExit < 0; }
    pid_t Pid() const { return m_pid; }
    int ExitCode() const { return m_nExit; }

private:
    bool Reap(int nFlags);

    pid_t m_pid = -1;
    int m_nExit = -1;
};

std::string ReadFile(const std::filesystem::path& path);

// A fresh folder under the system's temporary folder, removed with the object.
class CTempFolder {
public:
    explicit CTempFolder(const std::string& strName);
    ~CTempFolder();
    CTempFolder(const CTempFolder&) = delete;
    CTempFolder& operator=(const CTempFolder&) = delete;
    const std::filesystem::path& Path() const { return m_path; }

private:
    std::filesystem::path m_path;
};
