#include "UpgradeRun.h"

#include <QJsonDocument>

namespace fs = std::filesystem;

namespace {
void ParseSummary(UpgradeResult& result) {
    QJsonParseError error{};
    const QJsonDocument doc =
        QJsonDocument::fromJson(QByteArray::fromStdString(result.strOut), &error);
    if (error.error != QJsonParseError::NoError)
        result.strJsonError = error.errorString().toStdString();
    else if (!doc.isObject())
        result.strJsonError = "stdout holds JSON that is no object";
    else
        result.summary = doc.object();
}
} // namespace

CUpgradeRun::CUpgradeRun(const fs::path& dir, const std::string& strName,
                         std::vector<std::string> args, std::vector<std::string> env)
    : m_out(dir / (strName + ".out")), m_err(dir / (strName + ".err")),
      m_state(dir / (strName + "-state")), m_args(std::move(args)), m_env(std::move(env)) {}

bool CUpgradeRun::Start() {
    std::vector<std::string> args{KTR84_UPGRADE_TESTING};
    args.insert(args.end(), m_args.begin(), m_args.end());
    std::vector<std::string> env = m_env;
    env.push_back("XDG_STATE_HOME=" + m_state.string());
    return m_process.Start(args, env, m_out, m_err);
}

UpgradeResult CUpgradeRun::Wait() {
    UpgradeResult result;
    result.nExit = m_process.Wait();
    result.strOut = ReadFile(m_out);
    result.strErr = ReadFile(m_err);
    ParseSummary(result);
    return result;
}

UpgradeResult RunUpgrade(const fs::path& dir, const std::string& strName,
                         std::vector<std::string> args, std::vector<std::string> env) {
    CUpgradeRun run(dir, strName, std::move(args), std::move(env));
    if (!run.Start())
        return {};
    return run.Wait();
}

std::vector<std::string> UpgradeArgs(const std::string& strModule, const std::string& strPort,
                                     std::vector<std::string> more) {
    std::vector<std::string> args{"--module", strModule, "--port", strPort, "--json"};
    args.insert(args.end(), more.begin(), more.end());
    return args;
}

std::string AllFilesText(const fs::path& dir) {
    std::string out;
    std::error_code error;
    for (const auto& entry : fs::recursive_directory_iterator(dir, error))
        if (entry.is_regular_file())
            out += ReadFile(entry.path());
    return out;
}
