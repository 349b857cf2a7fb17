#pragma once

#include <QJsonObject>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "ChildProcess.h"
#include "WindowsBuild.h"

// Which build's program a run starts: the Linux one, or the Windows one under
// Wine on the same simulator's line.
enum class Build { Linux, Windows };

// How a run of ktr84-upgrade-testing ended: its exit code, what it wrote,
// and its --json summary as parsed (empty when stdout held none).
struct UpgradeResult {
    int nExit = -1;
    std::string strOut, strErr;
    QJsonObject summary;
    std::string strJsonError;     // why stdout is no single JSON object, "" if it is
    std::filesystem::path record; // the summary's run record, as this machine's path
};

// One ktr84-upgrade-testing process with no terminal to ask on. On Linux
// its run records go to the test's folder (XDG_STATE_HOME); Wine sets
// LOCALAPPDATA from the prefix's profile, where the Windows build's go. For
// the Windows build a --port that is a device path is linked in as a COM
// port, and the program is given that.
class CUpgradeRun {
public:
    CUpgradeRun(const std::filesystem::path& dir, const std::string& strName,
                std::vector<std::string> args, std::vector<std::string> env = {},
                Build build = Build::Linux);

    bool Start();
    void Signal(int nSignal) const { m_process.Signal(nSignal); }
    UpgradeResult Wait();
    std::filesystem::path StateDir() const { return m_state; }

private:
    std::filesystem::path m_out, m_err, m_state;
    std::vector<std::string> m_args, m_env;
    Build m_build;
    std::vector<std::unique_ptr<CComLink>> m_links;
    CChildProcess m_process;
};

// Starts a run and waits for its end.
UpgradeResult RunUpgrade(const std::filesystem::path& dir, const std::string& strName,
                         std::vector<std::string> args, std::vector<std::string> env = {},
                         Build build = Build::Linux);

// The run's options for one module on one port, with --json.
std::vector<std::string> UpgradeArgs(const std::string& strModule, const std::string& strPort,
                                     std::vector<std::string> more = {});

// Every file under dir, concatenated, for a search through all records.
std::string AllFilesText(const std::filesystem::path& dir);
