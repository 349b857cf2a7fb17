// Whole legacy runs against boot loaders that switch their rate some time
// after the notice of the change has left them, as boot monitors do: the CR
// at the new rate must reach the module after its switch, knocking again
// when the first came too early. Paced like a UART, short images.
#include <gtest/gtest.h>

#include "testing/RateSwitches.h"
#include "testing/TranscriptText.h"
#include "tests/legacy/SimRig.h"

namespace {
struct SwitchCase {
    ModuleKind kind;
    const char* pszBaud;
    int nDelayMs;
};

std::string Name(const ::testing::TestParamInfo<SwitchCase>& info) {
    return std::string(info.param.kind == Transceiver ? "Transceiver" : "Controller") +
           info.param.pszBaud + "SwitchAfter" + std::to_string(info.param.nDelayMs) + "ms";
}

class RateSwitchDelay : public ::testing::TestWithParam<SwitchCase> {};

TEST_P(RateSwitchDelay, UpgradesAndTheModuleTakesItsCrAfterTheSwitch) {
    const SwitchCase& c = GetParam();
    SimOptions options =
        QuickSim(c.kind == Transceiver ? SimModule::Transceiver : SimModule::Controller);
    options.nBaudSwitchDelayMs = c.nDelayMs;
    CLegacySimRig rig(options, c.kind, c.pszBaud);
    ASSERT_TRUE(rig.bStarted);
    rig.UseShortImages();
    rig.dlg.OnUpgrade();

    const auto transcript = rig.pSim->Transcript();
    EXPECT_EQ(rig.window.Boxes().back().strText, "Upload Complete!") << TranscriptText(transcript);
    EXPECT_TRUE(rig.pSim->MergeWritten());
    std::vector<std::pair<int32_t, std::string>> lines;
    for (const auto& e : transcript)
        lines.emplace_back(e.nBaud, e.strCommand);
    const int32_t nBaud = std::stoi(c.pszBaud);
    EXPECT_EQ(RateSwitchFault(ReadRateSwitches(lines), {nBaud}), "") << TranscriptText(transcript);
    EXPECT_TRUE(rig.Released());
}

INSTANTIATE_TEST_SUITE_P(
    Delays, RateSwitchDelay,
    ::testing::Values(SwitchCase{Transceiver, "115200", 0}, SwitchCase{Transceiver, "115200", 50},
                      SwitchCase{Transceiver, "115200", 100},
                      SwitchCase{Transceiver, "115200", 300}, SwitchCase{Controller, "38400", 0},
                      SwitchCase{Controller, "38400", 50}, SwitchCase{Controller, "38400", 100},
                      SwitchCase{Controller, "38400", 300}),
    Name);
} // namespace
