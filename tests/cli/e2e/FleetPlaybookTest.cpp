// The fleet playbook on this machine: three simulated modules on one "bench
// host" (localhost), upgraded in parallel by the console program, and the
// report it writes on the control host read back.
#include <QJsonArray>
#include <QJsonDocument>
#include <cstdlib>
#include <sstream>
#include <unistd.h>

#include "E2eRig.h"

namespace fs = std::filesystem;

namespace {
// The program found on PATH, "" when there is none.
std::string FindOnPath(const std::string& strProgram) {
    const char* pszPath = std::getenv("PATH");
    std::istringstream dirs(pszPath != nullptr ? pszPath : "");
    for (std::string strDir; std::getline(dirs, strDir, ':');) {
        const fs::path candidate = fs::path(strDir) / strProgram;
        if (!strDir.empty() && access(candidate.c_str(), X_OK) == 0)
            return candidate.string();
    }
    return {};
}

struct FleetPlaybook : ::testing::Test, CE2eRig {
    // ansible's own files stay in the test's folder.
    std::vector<std::string> AnsibleEnv() const {
        const fs::path a = dir.Path() / "ansible";
        return {"ANSIBLE_HOME=" + (a / "home").string(),
                "ANSIBLE_LOCAL_TEMP=" + (a / "local-tmp").string(),
                "ANSIBLE_REMOTE_TEMP=" + (a / "remote-tmp").string(),
                "ANSIBLE_ASYNC_DIR=" + (a / "async").string(),
                "ANSIBLE_NOCOLOR=1",
                "ANSIBLE_RETRY_FILES_ENABLED=0",
                "XDG_STATE_HOME=" + (dir.Path() / "state").string()};
    }
};

QJsonObject PortEntry(const std::string& strPort, const std::string& strModule) {
    return {{"port", QString::fromStdString(strPort)},
            {"module", QString::fromStdString(strModule)}};
}

TEST_F(FleetPlaybook, UpgradesThreePortsAndReportsEach) {
    const std::string strAnsible = FindOnPath("ansible-playbook");
    if (strAnsible.empty())
        GTEST_SKIP() << "ansible-playbook is not installed (scripts/deps.sh installs it)";

    auto pTransceiver = StartSim("transceiver", QuickLegacy("transceiver"));
    auto pController = StartSim("controller", QuickLegacy("controller"));
    auto pIp = StartSim("ip", QuickIp());
    const fs::path report = dir.Path() / "report.json";
    const QJsonObject vars{
        {"ktr84_upgrade", KTR84_UPGRADE_TESTING},
        {"ktr84_report", QString::fromStdString(report.string())},
        {"ktr84_poll_seconds", 1},
        {"ktr84_timeout", 600},
        {"ktr84_ports", QJsonArray{PortEntry(pTransceiver->Device(), "transceiver"),
                                   PortEntry(pController->Device(), "controller"),
                                   PortEntry(pIp->Device(), "ip")}}};
    const std::string strVars = QJsonDocument(vars).toJson(QJsonDocument::Compact).toStdString();

    CChildProcess ansible;
    ASSERT_TRUE(ansible.Start(
        {strAnsible, "-i", "localhost,", "-c", "local", KTR84_FLEET_PLAYBOOK, "-e", strVars},
        AnsibleEnv(), dir.Path() / "ansible.out", dir.Path() / "ansible.err"));
    const int nExit = ansible.Wait();
    const std::string strLog =
        ReadFile(dir.Path() / "ansible.out") + ReadFile(dir.Path() / "ansible.err");
    ASSERT_EQ(nExit, 0) << strLog;

    QJsonParseError error{};
    const QJsonDocument doc =
        QJsonDocument::fromJson(QByteArray::fromStdString(ReadFile(report)), &error);
    ASSERT_EQ(error.error, QJsonParseError::NoError) << ReadFile(report) << strLog;
    ASSERT_TRUE(doc.isArray());
    const QJsonArray entries = doc.array();
    ASSERT_EQ(entries.size(), 3) << ReadFile(report);
    std::vector<std::string> modules;
    for (const QJsonValue& value : entries) {
        const QJsonObject entry = value.toObject();
        SCOPED_TRACE(entry["port"].toString().toStdString());
        EXPECT_EQ(entry["host"].toString(), "localhost");
        EXPECT_EQ(entry["exit_code"].toInt(-1), 0);
        EXPECT_TRUE(entry["exit_code"].isDouble()) << "a number, not text";
        EXPECT_EQ(entry["outcome"].toString(), "complete");
        EXPECT_FALSE(entry["status"].toString().isEmpty());
        EXPECT_GT(entry["bytes_sent"].toInteger(), 0);
        modules.push_back(entry["module"].toString().toStdString());
    }
    std::sort(modules.begin(), modules.end());
    EXPECT_EQ(modules, (std::vector<std::string>{"controller", "ip", "transceiver"}));
    const std::string strSummary = ReadFile(dir.Path() / "report.txt");
    EXPECT_NE(strSummary.find("3 ports, 3 complete"), std::string::npos) << strSummary;

    // Each module heard the whole upgrade.
    EXPECT_TRUE(HasCommand(pTransceiver->Commands(), "<201 records>"));
    EXPECT_TRUE(HasCommand(pController->Commands(), "<201 records>"));
    EXPECT_TRUE(HasCommand(pIp->Commands(), "imi 400E0000"));
}
} // namespace
