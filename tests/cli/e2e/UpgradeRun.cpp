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
                         std::vector<std::string> args, std::vector<std::string> env, Build build)
    : m_out(dir / (strName + ".out")), m_err(dir / (strName + ".err")),
      m_state(dir / (strName + "-state")), m_args(std::move(args)), m_env(std::move(env)),
      m_build(build) {}

bool CUpgradeRun::Start() {
    std::vector<std::string> args{KTR84_UPGRADE_TESTING};
    if (m_build == Build::Windows)
        args = WineCommand("ktr84-upgrade-testing.exe");
    for (size_t i = 0; i < m_args.size(); ++i) {
        args.push_back(m_args[i]);
        if (m_build == Build::Windows && i > 0 && m_args[i - 1] == "--port" &&
            m_args[i].starts_with('/')) {
            m_links.push_back(std::make_unique<CComLink>(m_args[i]));
            if (m_links.back()->Port().empty())
                return false;
            args.back() = m_links.back()->Port();
        }
    }
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
    const std::string strRecord = result.summary["record"].toString().toStdString();
    result.record = m_build == Build::Windows ? UnixPathOf(strRecord) : fs::path(strRecord);
    return result;
}

UpgradeResult RunUpgrade(const fs::path& dir, const std::string& strName,
                         std::vector<std::string> args, std::vector<std::string> env, Build build) {
    CUpgradeRun run(dir, strName, std::move(args), std::move(env), build);
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
