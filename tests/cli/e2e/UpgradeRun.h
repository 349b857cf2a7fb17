#pragma once

#include <QJsonObject>
#include <filesystem>
#include <string>
#include <vector>

#include "ChildProcess.h"

// How a run of ktr84-upgrade-testing ended: its exit code, what it wrote,
// and its --json summary as parsed (empty when stdout held none).
struct UpgradeResult {
    int nExit = -1;
    std::string strOut, strErr;
    QJsonObject summary;
    std::string strJsonError; // why stdout is no single JSON object, "" if it is
};

// One ktr84-upgrade-testing process with its run records in the test's folder
// (XDG_STATE_HOME) and no terminal to ask on.
class CUpgradeRun {
public:
    CUpgradeRun(const std::filesystem::path& dir, const std::string& strName,
                std::vector<std::string> args, std::vector<std::string> env = {});

    bool Start();
    void Signal(int nSignal) const { m_process.Signal(nSignal); }
    UpgradeResult Wait();
    std::filesystem::path StateDir() const { return m_state; }

private:
    std::filesystem::path m_out, m_err, m_state;
    std::vector<std::string> m_args, m_env;
    CChildProcess m_process;
};

// Starts a run and waits for its end.
UpgradeResult RunUpgrade(const std::filesystem::path& dir, const std::string& strName,
                         std::vector<std::string> args, std::vector<std::string> env = {});

// The run's options for one module on one port, with --json.
std::vector<std::string> UpgradeArgs(const std::string& strModule, const std::string& strPort,
                                     std::vector<std::string> more = {});

// Every file under dir, concatenated, for a search through all records.
std::string AllFilesText(const std::filesystem::path& dir);
