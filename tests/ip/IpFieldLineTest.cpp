// Whole IP-Enabled Controller runs against the module simulator on lines that
// deliver its texts as the field does: paced like a UART, through a USB
// adapter with a 16 ms latency timer, in random fragments. The run is on the
// real clock; a short file system image keeps the upload to a second.
#include "testing/RateSwitches.h"
#include "tests/ip/IpFieldRig.h"

// From the operating system's log-in, behind a USB adapter: the operator is
// asked once, and each answer goes out at its own prompt.
TEST(IpFieldLine, FromLoginBehindAUsbAdapter) {
    SimOptions o = FieldIp(SimIpStart::Login);
    o.nUsbLatencyMs = 16;
    CIpFieldRun r(o);
    ASSERT_TRUE(r.bStarted);
    r.window.QueuePasswordAnswer(IDOK, "8484");
    r.dlg.OnUpgrade();
    r.ExpectComplete();
    EXPECT_EQ(r.Prompts(), 1u);
    // Up to the reboot: the two wake-up CRs find the log-in prompt, then
    // "root" once and the password once. (After the flash, "bootd" goes out on
    // every text of the booting module until its log-in prompt shows.)
    size_t nRoot = 0, nPassword = 0;
    for (const auto& e : r.pSim->Transcript()) {
        if (e.strCommand == "reboot")
            break;
        if (e.strPrompt == "login") {
            EXPECT_TRUE(e.strCommand.empty() || e.strCommand == "root") << r.Transcript();
            nRoot += e.strCommand == "root";
        } else if (e.strPrompt == "Password") {
            EXPECT_EQ(e.strCommand, "8484") << r.Transcript();
            ++nPassword;
        }
    }
    EXPECT_EQ(nRoot, 1u) << r.Transcript();
    EXPECT_EQ(nPassword, 1u) << r.Transcript();
}

// From the shell, the module's texts in random fragments.
TEST(IpFieldLine, FromTheShellInRandomFragments) {
    SimOptions o = FieldIp(SimIpStart::Shell);
    o.bRandomFragments = true;
    CIpFieldRun r(o);
    ASSERT_TRUE(r.bStarted);
    r.dlg.OnUpgrade();
    r.ExpectComplete();
}

// A boot monitor that takes 1.5 s after its notice to switch, both ways: the
// run knocks again at the new rate until the monitor answers, uploads, and
// the module boots at 9600.
TEST(IpFieldLine, MonitorThatSwitchesLateBothWays) {
    SimOptions o = FieldIp(SimIpStart::Monitor);
    o.nBaudSwitchDelayMs = 1500;
    CIpFieldRun r(o);
    ASSERT_TRUE(r.bStarted);
    r.dlg.OnUpgrade();
    r.ExpectComplete();
    std::vector<std::pair<int32_t, std::string>> lines;
    for (const auto& e : r.pSim->Transcript())
        lines.emplace_back(e.nBaud, e.strCommand);
    const auto switches = ReadRateSwitches(lines);
    EXPECT_EQ(RateSwitchFault(switches, {115200, 9600}), "") << r.Transcript();
    for (const RateSwitch& s : switches)
        EXPECT_TRUE(s.bLostBefore) << "the first CR came before the switch";
}
