// Whole Transceiver and Controller runs of the console program against a
// simulator on a line paced like a UART: each way a run can end, with its
// exit code and its summary.
#include <csignal>
#include <iterator>
#include <sstream>
#include <tuple>

#include "E2eRig.h"

namespace {
// The merge menu's upload choice: the image goes over from here on.
bool UploadStarted(const SimCommand& c) {
    return c.strText == "u";
}

class LegacyRun : public CRunsOn<std::tuple<std::string, Build>> {
protected:
    std::string Kind() const { return std::get<0>(GetParam()); }
    std::string OtherKind() const { return Kind() == "transceiver" ? "controller" : "transceiver"; }
    std::vector<std::string> Sim(std::vector<std::string> more = {}) const {
        std::vector<std::string> args = QuickLegacy(Kind());
        args.insert(args.end(), more.begin(), more.end());
        return args;
    }
};

// The cases both builds run.
using LegacyWholeRun = LegacyRun;

TEST_P(LegacyWholeRun, CompletesAndTheModuleTakesTheWholeImage) {
    // The Controller's line comes in random pieces, the Transceiver's in the
    // bursts of a USB adapter's latency timer.
    auto pSim = StartSim("sim", Sim(Kind() == "controller"
                                        ? std::vector<std::string>{"--fragments"}
                                        : std::vector<std::string>{"--usb-latency", "16"}));
    const UpgradeResult result = RunToEnd("run", UpgradeArgs(Kind(), pSim->Device()));
    ExpectEnded(result, 0, "complete");
    EXPECT_EQ(result.summary["module"].toString().toStdString(), ModuleTitle(Kind()));
    EXPECT_EQ(result.summary["message"].toString(), "Upload Complete!");
    EXPECT_EQ(result.summary["upload_baud"].toInt(), 115200);
    EXPECT_GT(result.summary["bytes_sent"].toInteger(), 200 * 20);
    EXPECT_TRUE(std::filesystem::exists(result.record)) << result.record;
    // The short image: 200 records and its termination, all at the upload rate.
    const std::vector<SimCommand> commands = pSim->Commands();
    EXPECT_TRUE(HasCommand(commands, "<201 records>")) << CommandsText(commands);
    for (const SimCommand& c : commands) {
        if (c.strText == "<201 records>") {
            EXPECT_EQ(c.nBaud, 115200);
        }
    }
}

TEST_P(LegacyWholeRun, TheCableOnTheOtherModuleIsWrongCable) {
    auto pSim = StartSim("sim", QuickLegacy(OtherKind()));
    const UpgradeResult result = RunToEnd("run", UpgradeArgs(Kind(), pSim->Device()));
    ExpectEnded(result, 3, "wrong-cable");
    EXPECT_FALSE(result.summary["message"].toString().isEmpty());
    EXPECT_NE(result.strErr.find(result.summary["message"].toString().toStdString()),
              std::string::npos)
        << "the box's text goes to stderr: " << result.strErr;
    EXPECT_FALSE(HasCommand(pSim->Commands(), "u"));
}

// The window's port list offers a running simulator as "Simulated
// Transceiver (<pid>)"; given to --port, that entry opens the simulator's
// line, and the summary and the run record name the entry and the line.
TEST_P(LegacyRun, ASimulatorsListEntryOpensItsLine) {
    auto pSim = StartSim("sim", QuickLegacy(OtherKind()));
    const std::string strLink = pSim->WaitForAnnouncement(OtherKind(), 10000);
    ASSERT_FALSE(strLink.empty()) << pSim->Stderr();
    const std::string strEntry =
        "Simulated " + ModuleTitle(OtherKind()) + " (" + std::to_string(pSim->Pid()) + ")";
    const UpgradeResult result = RunToEnd("run", UpgradeArgs(Kind(), strEntry),
                                          {"XDG_RUNTIME_DIR=" + pSim->RuntimeDir().string()});
    // The other module answered: the line was the simulator's.
    ExpectEnded(result, 3, "wrong-cable");
    EXPECT_EQ(result.summary["port"].toString().toStdString(), strEntry);
    EXPECT_EQ(result.summary["device"].toString().toStdString(), strLink);
    const std::string strRecord = ReadFile(result.summary["record"].toString().toStdString());
    EXPECT_NE(strRecord.find("\nport: " + strEntry + "\n"), std::string::npos) << strRecord;
    EXPECT_NE(strRecord.find(strLink + " at 9600 baud"), std::string::npos) << strRecord;
}

TEST_P(LegacyRun, AWrongConsolePasswordNeverReachesTheRecord) {
    auto pSim = StartSim("sim", Sim({"--console-login"}));
    const std::string strSecret = "Wr0ng-Secret-77";
    const UpgradeResult result = RunToEnd(
        "run", UpgradeArgs(Kind(), pSim->Device(), {"--password-env", "KTR84_E2E_PASSWORD"}),
        {"KTR84_E2E_PASSWORD=" + strSecret});
    ExpectEnded(result, 4, "login-failed");
    EXPECT_TRUE(HasCommand(pSim->Commands(), "Passwd: " + strSecret))
        << "the answer was typed: " << CommandsText(pSim->Commands());
    EXPECT_FALSE(HasCommand(pSim->Commands(), "u"));
    const std::string strRecords = AllFilesText(dir.Path() / "run-state");
    EXPECT_FALSE(strRecords.empty()) << "a record was written";
    EXPECT_EQ(strRecords.find(strSecret), std::string::npos);
    EXPECT_EQ(result.strOut.find(strSecret), std::string::npos);
    EXPECT_EQ(result.strErr.find(strSecret), std::string::npos);
}

// The other ways a run ends: the simulator's switches and the run's options
// (words apart), what happens once the upload has begun, and what the module
// was sent.
struct Ending {
    const char* pszName;
    const char* pszSim;
    const char* pszRun;
    int nSignal; // once the upload has begun: SIGKILL to the simulator, SIGINT to the run
    int nExit;
    const char* pszOutcome;
    const char* pszMessage; // how the summary's message begins
    const char* pszSaid;    // what stderr holds besides
    bool bUploadBegun, bImageWhole;
};
void PrintTo(const Ending& e, std::ostream* os) {
    *os << e.pszName;
}

const Ending kEndings[] = {
    {"NoAppCodeContinue", "--no-app --no-app-login-delay 0.3", "--on-no-app-code continue", 0, 0,
     "complete", "Upload Complete!", "No Application Code", true, true},
    {"NoAppCodeAbort", "--no-app --no-app-login-delay 0.3", "--on-no-app-code abort", 0, 7,
     "aborted", "Upgrade aborted", "", false, false},
    {"RefusedUpload", "--merge-failure", "", 0, 6, "upload-failed", "Upload Failed", "", true,
     false}, // refused part way
    {"SilentBootLoader", "--silent-from bootloader", "", 0, 5, "no-connection",
     "Unable to Connect to Card", "", false, false},
    {"SimulatorKilled", "", "", SIGKILL, 5, "no-connection", "Unable to Connect to Card", "", true,
     false},
    {"CtrlC", "", "", SIGINT, 9, "stopped", "", "", true, false},
};

// args, and after them the words of strText.
std::vector<std::string> Words(std::vector<std::string> args, const std::string& strText) {
    std::istringstream in(strText);
    args.insert(args.end(), std::istream_iterator<std::string>(in), {});
    return args;
}

using LegacyEnding = CRunsOn<std::tuple<std::string, Ending, Build>>;

TEST_P(LegacyEnding, AsTheModuleAndTheOptionsLetIt) {
    const auto& [strKind, e, onBuild] = GetParam();
    auto pSim = StartSim("sim", Words(QuickLegacy(strKind), e.pszSim));
    const auto pRun = NewRun("run", UpgradeArgs(strKind, pSim->Device(), Words({}, e.pszRun)));
    CUpgradeRun& run = *pRun;
    ASSERT_TRUE(run.Start());
    if (e.nSignal != 0) {
        ASSERT_TRUE(pSim->WaitForCommand(UploadStarted, 60000)) << CommandsText(pSim->Commands());
        if (e.nSignal == SIGKILL)
            pSim->Kill(SIGKILL);
        else
            run.Signal(e.nSignal);
    }
    const UpgradeResult result = run.Wait();
    ExpectEnded(result, e.nExit, e.pszOutcome);
    EXPECT_TRUE(result.summary["message"].toString().startsWith(e.pszMessage))
        << result.summary["message"].toString().toStdString();
    EXPECT_NE(result.strErr.find(e.pszSaid), std::string::npos) << result.strErr;
    EXPECT_EQ(HasCommand(pSim->Commands(), "u"), e.bUploadBegun) << CommandsText(pSim->Commands());
    EXPECT_EQ(HasCommand(pSim->Commands(), "<201 records>"), e.bImageWhole);
}

// On Windows: silence, and the line gone mid-upload, one module each.
std::vector<std::tuple<std::string, Ending, Build>> WindowsEndings() {
    std::vector<std::tuple<std::string, Ending, Build>> out;
    for (const Ending& e : kEndings) {
        if (e.pszName == std::string("SilentBootLoader"))
            out.emplace_back("transceiver", e, Build::Windows);
        if (e.pszName == std::string("SimulatorKilled"))
            out.emplace_back("controller", e, Build::Windows);
    }
    return out;
}

// "<kind>[<ending>][OnWindows]".
const auto kCaseName = [](const auto& info) {
    constexpr size_t nSize = std::tuple_size_v<std::decay_t<decltype(info.param)>>;
    std::string strName = std::get<0>(info.param);
    if constexpr (nSize == 3)
        strName += std::get<1>(info.param).pszName;
    return strName + BuildSuffix(std::get<nSize - 1>(info.param));
};

const auto kKinds = ::testing::Values("transceiver", "controller");

INSTANTIATE_TEST_SUITE_P(Kinds, LegacyEnding,
                         ::testing::Combine(kKinds, ::testing::ValuesIn(kEndings),
                                            ::testing::Values(Build::Linux)),
                         kCaseName);
INSTANTIATE_TEST_SUITE_P(Windows, LegacyEnding, ::testing::ValuesIn(WindowsEndings()), kCaseName);

INSTANTIATE_TEST_SUITE_P(Kinds, LegacyRun,
                         ::testing::Combine(kKinds, ::testing::Values(Build::Linux)), kCaseName);
INSTANTIATE_TEST_SUITE_P(Kinds, LegacyWholeRun,
                         ::testing::Combine(kKinds,
                                            ::testing::Values(Build::Linux, Build::Windows)),
                         kCaseName);
} // namespace
