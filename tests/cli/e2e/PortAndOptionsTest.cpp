// Runs of the console program that end before a module is spoken to: a port
// that is busy or missing, and options it refuses.
#include "E2eRig.h"

namespace {
struct PortAndOptions : ::testing::Test, CE2eRig {};

TEST_F(PortAndOptions, ASecondRunOnABusyPortIsRefusedAndTheFirstGoesOn) {
    auto pSim = StartSim("sim", QuickLegacy("transceiver"));
    CUpgradeRun first(dir.Path(), "first", UpgradeArgs("transceiver", pSim->Device()));
    ASSERT_TRUE(first.Start());
    // The first run holds the port once the module has heard from it.
    ASSERT_TRUE(pSim->WaitForCommand([](const SimCommand&) { return true; }, 60000));

    const UpgradeResult second = RunToEnd("second", UpgradeArgs("transceiver", pSim->Device()));
    ExpectEnded(second, 8, "port-not-opened");
    EXPECT_EQ(second.summary["bytes_sent"].toInt(-1), 0);
    EXPECT_FALSE(second.summary["message"].toString().isEmpty());

    ExpectEnded(first.Wait(), 0, "complete");
}

TEST_F(PortAndOptions, APortThatIsNotThereIsRefused) {
    const std::string strPort = (dir.Path() / "ttyUSB-gone").string();
    const UpgradeResult result = RunToEnd("run", UpgradeArgs("controller", strPort));
    ExpectEnded(result, 8, "port-not-opened");
    EXPECT_EQ(result.summary["port"].toString().toStdString(), strPort);
    EXPECT_TRUE(result.summary["message"].toString().startsWith("Unable to open serial port."));
}

// Each refused command line ends with 2, says why on stderr and runs nothing.
TEST_F(PortAndOptions, BadOptionsEndWithTwoAndNoRun) {
    const std::string strNoFile = (dir.Path() / "no-password-file").string();
    const std::vector<std::vector<std::string>> refused = {
        {"--module", "modem", "--port", "COM1"},
        {"--module", "ip"},
        {"--port", "COM1"},
        {"--module", "ip", "--port", "COM1", "--frobnicate"},
        {"--module", "transceiver", "--port", "COM1", "--on-no-app-code", "maybe"},
        {"--module", "ip", "--port", "COM1", "--images", "kernel,bogus"},
        {"--module", "ip", "--port", "COM1", "--password-file", strNoFile},
        {"--module", "ip", "--port", "COM1", "--password-env", "KTR84_E2E_UNSET_VARIABLE"},
    };
    int nCase = 0;
    for (const auto& args : refused) {
        const std::string strName = "case" + std::to_string(nCase++);
        const UpgradeResult result = RunToEnd(strName, args);
        EXPECT_EQ(result.nExit, 2) << strName << ": " << Why(result);
        EXPECT_FALSE(result.strErr.empty()) << strName;
        EXPECT_FALSE(std::filesystem::exists(dir.Path() / (strName + "-state")))
            << strName << ": no run, no record";
    }
}
} // namespace
