// Whole IP-Enabled Controller runs of the console program against a simulator
// with its delays cut: each way a run can end, with its exit code and summary.
#include <csignal>

#include "E2eRig.h"
#include "SimClient.h"

namespace {
bool LoadsStarted(const SimCommand& c) {
    return c.strText.rfind("loads", 0) == 0;
}

// Index of the first command that satisfies isIt, or the count when none does.
template <class Pred>
size_t FirstIndex(const std::vector<SimCommand>& commands, Pred isIt, size_t nFrom = 0) {
    for (size_t i = nFrom; i < commands.size(); ++i)
        if (isIt(commands[i]))
            return i;
    return commands.size();
}

// Parameterised by the build: the cases both builds run are IpWholeRun's.
struct IpRun : CRunsOn<Build> {
    std::vector<std::string> Sim(std::vector<std::string> more = {}) const {
        std::vector<std::string> args = QuickIp();
        args.insert(args.end(), more.begin(), more.end());
        return args;
    }
};

// The Windows build's whole IP run is ThreeAtOnce's.
TEST_P(IpRun, CompletesAndTheModuleBootsTheNewImage) {
    auto pSim = StartSim("sim", Sim());
    const UpgradeResult result = RunToEnd("run", UpgradeArgs("ip", pSim->Device()));
    ExpectEnded(result, 0, "complete");
    EXPECT_EQ(result.summary["module"].toString(), "IP-Enabled Controller");
    EXPECT_EQ(result.summary["message"].toString(), "Upload Complete!");
    EXPECT_GT(result.summary["bytes_sent"].toInteger(), 0x1EFFF2);
    const std::vector<SimCommand> commands = pSim->Commands();
    EXPECT_TRUE(HasCommand(commands, "imi 400E0000")) << CommandsText(commands);
    EXPECT_TRUE(HasCommand(commands, "cp.b 10000 400E0000 $(filesize) "));
    const size_t nCopy =
        FirstIndex(commands, [](const SimCommand& c) { return c.strText.rfind("cp.b ", 0) == 0; });
    const size_t nBoot = FirstIndex(
        commands, [](const SimCommand& c) { return c.strText == "bootd"; }, nCopy);
    ASSERT_LT(nBoot, commands.size()) << CommandsText(commands);
    EXPECT_EQ(commands[nBoot].nBaud, 9600);
}

TEST_P(IpRun, ALegacyModuleOnTheCableIsWrongCable) {
    auto pSim = StartSim("sim", QuickLegacy("transceiver"));
    const UpgradeResult result = RunToEnd("run", UpgradeArgs("ip", pSim->Device()));
    ExpectEnded(result, 3, "wrong-cable");
    EXPECT_FALSE(result.summary["message"].toString().isEmpty());
}

TEST_P(IpRun, AWrongRootPasswordIsLoginFailedAndStaysSecret) {
    auto pSim = StartSim("sim", Sim());
    const std::string strSecret = "Wr0ng-Root-31";
    const UpgradeResult result =
        RunToEnd("run", UpgradeArgs("ip", pSim->Device(), {"--password-env", "KTR84_E2E_PASSWORD"}),
                 {"KTR84_E2E_PASSWORD=" + strSecret});
    ExpectEnded(result, 4, "login-failed");
    EXPECT_TRUE(HasCommand(pSim->Commands(), "Password: " + strSecret))
        << CommandsText(pSim->Commands());
    const std::string strRecords = AllFilesText(dir.Path() / "run-state");
    EXPECT_FALSE(strRecords.empty()) << "a record was written";
    EXPECT_EQ(strRecords.find(strSecret), std::string::npos);
    EXPECT_EQ(result.strOut.find(strSecret), std::string::npos);
}

TEST_P(IpRun, AShellThatStaysSilentIsNoConnection) {
    auto pSim = StartSim("sim", Sim({"--silent-from", "shell"}));
    const UpgradeResult result = RunToEnd("run", UpgradeArgs("ip", pSim->Device()));
    ExpectEnded(result, 5, "no-connection");
    EXPECT_TRUE(result.summary["message"].toString().startsWith("Unable to Connect to Card"));
    EXPECT_FALSE(HasCommand(pSim->Commands(), "reboot"));
}

TEST_P(IpRun, ASimulatorKilledMidUploadIsNoConnection) {
    auto pSim = StartSim("sim", Sim());
    const auto pRun = NewRun("run", UpgradeArgs("ip", pSim->Device()));
    ASSERT_TRUE(pRun->Start());
    ASSERT_TRUE(pSim->WaitForCommand(LoadsStarted, 60000)) << CommandsText(pSim->Commands());
    pSim->Kill(SIGKILL);
    ExpectEnded(pRun->Wait(), 5, "no-connection");
}

// Stopped in the boot monitor, the module is sent back to 9600 and booted.
using IpWholeRun = IpRun;

// On Windows the signal reaches the program as Ctrl-C: Wine turns SIGINT
// into a CTRL_C_EVENT for a console program.
TEST_P(IpWholeRun, CtrlCMidUploadLeavesTheModuleBooted) {
    auto pSim = StartSim("sim", Sim());
    const auto pRun = NewRun("run", UpgradeArgs("ip", pSim->Device()));
    ASSERT_TRUE(pRun->Start());
    ASSERT_TRUE(pSim->WaitForCommand(LoadsStarted, 60000)) << CommandsText(pSim->Commands());
    pRun->Signal(SIGINT);
    const UpgradeResult result = pRun->Wait();
    ExpectEnded(result, 9, "stopped");
    // The module may still be taking in what the run sent last.
    pSim->WaitForCommand([](const SimCommand& c) { return c.strText == "bootd"; }, 10000);

    const std::vector<SimCommand> commands = pSim->Commands();
    const size_t nLoads = FirstIndex(commands, LoadsStarted);
    ASSERT_LT(nLoads, commands.size());
    EXPECT_GT(commands[nLoads].nBaud, 9600) << "loads at the upload rate";
    const size_t nBoot = FirstIndex(
        commands, [](const SimCommand& c) { return c.strText == "bootd"; }, nLoads);
    ASSERT_LT(nBoot, commands.size()) << CommandsText(commands);
    EXPECT_EQ(commands[nBoot].nBaud, 9600) << CommandsText(commands);
    EXPECT_FALSE(HasCommand(commands, "imi 400E0000"));

    // The module came up to its operating system's log-in.
    CSimClient client(pSim->Device(), 9600);
    ASSERT_TRUE(client.IsOpen());
    client.Send("\r");
    const std::string strSeen = client.ReadUntil("login:", 20000);
    EXPECT_NE(strSeen.find("login:"), std::string::npos) << Visible(strSeen);
}

INSTANTIATE_TEST_SUITE_P(Builds, IpRun, ::testing::Values(Build::Linux), BuildCaseName());
INSTANTIATE_TEST_SUITE_P(Builds, IpWholeRun, ::testing::Values(Build::Linux, Build::Windows),
                         BuildCaseName());
} // namespace
