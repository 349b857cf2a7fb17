// Whole Transceiver and Controller runs of the console program against boot
// loaders that switch their rate some time after the notice of the change
// has left them: the run completes, the module takes its CR at the new rate
// after its switch, and every CR sent again is in the run's record.
#include <fstream>
#include <sstream>

#include "E2eRig.h"
#include "testing/RateSwitches.h"

namespace {
struct DelayCase {
    const char* pszKind;
    const char* pszBaud;
    int nDelayMs;
};

std::string Name(const ::testing::TestParamInfo<DelayCase>& info) {
    return std::string(info.param.pszKind) + info.param.pszBaud + "After" +
           std::to_string(info.param.nDelayMs) + "ms";
}

class RateSwitchRun : public ::testing::TestWithParam<DelayCase>, public CE2eRig {};

TEST_P(RateSwitchRun, CompletesWithTheCrAfterTheSwitch) {
    const DelayCase& c = GetParam();
    std::vector<std::string> args = QuickLegacy(c.pszKind);
    args.insert(args.end(), {"--baud-switch-delay", std::to_string(c.nDelayMs)});
    auto pSim = StartSim("sim", args);
    const UpgradeResult result =
        RunToEnd("run", UpgradeArgs(c.pszKind, pSim->Device(), {"--baud", c.pszBaud}));
    ExpectEnded(result, 0, "complete");

    const std::vector<SimCommand> commands = pSim->Commands();
    std::vector<std::pair<int32_t, std::string>> lines;
    for (const SimCommand& command : commands)
        lines.emplace_back(command.nBaud, command.strText);
    const auto switches = ReadRateSwitches(lines);
    EXPECT_EQ(RateSwitchFault(switches, {std::stoi(c.pszBaud)}), "") << CommandsText(commands);
    if (switches.size() == 1 && switches[0].bLostBefore) {
        std::ifstream record(result.summary["record"].toString().toStdString());
        std::stringstream text;
        text << record.rdbuf();
        EXPECT_NE(text.str().find("no menu after the speed change, CR again (2 of 5)"),
                  std::string::npos);
    }
}

INSTANTIATE_TEST_SUITE_P(Delays, RateSwitchRun,
                         ::testing::Values(DelayCase{"transceiver", "115200", 50},
                                           DelayCase{"transceiver", "115200", 100},
                                           DelayCase{"transceiver", "115200", 300},
                                           DelayCase{"controller", "38400", 50},
                                           DelayCase{"controller", "38400", 100},
                                           DelayCase{"controller", "38400", 300}),
                         Name);
} // namespace
