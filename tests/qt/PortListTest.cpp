// The ports offered after COM1..COM4: serial devices and running simulators.
#include <QTemporaryDir>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include "EnvFolder.h"
#include "common/SimAnnouncement.h"
#include "line/SComDoc.h"
#include "qt/PortList.h"
#include "testing/FakeDeviceTree.h"

namespace fs = std::filesystem;

namespace {
// A character device every machine has, to stand in for a tty.
const char* kCharDevice = "/dev/null";

TEST(PortList, SerialDevicesByShortNameInNaturalOrder) {
    QTemporaryDir dir;
    const fs::path root = dir.path().toStdString();
    for (const char* pszName : {"ttyUSB10", "ttyUSB2", "ttyACM0", "ttyS0", "console"})
        fs::create_symlink(kCharDevice, root / pszName);
    std::ofstream(root / "ttyUSB3") << "a plain file, not a device";
    fs::create_symlink(root / "missing", root / "ttyUSB4");

    EXPECT_EQ(SerialDevices(root.string()),
              (std::vector<std::string>{"ttyACM0", "ttyUSB2", "ttyUSB10"}));
    EXPECT_TRUE(SerialDevices((root / "nowhere").string()).empty());
}

TEST(PortList, UsbAdaptersAreOfferedByWhatTheyAreInNaturalOrder) {
    CFakeDeviceTree tree;
    ASSERT_TRUE(tree.Ok());
    tree.AddUsbSerial("ttyUSB0",
                      {"FTDI", "FT232R USB UART", "A10K3J2Q", "0403", "6001", "ftdi_sio", 16});
    tree.AddUsbSerial("ttyUSB10", {"Silicon Labs", "CP2102 USB to UART Bridge Controller", "",
                                   "10c4", "ea60", "cp210x", -1});
    tree.AddModem("ttyACM0", {"Arduino", "Uno", "", "2341", "0043", "cdc_acm", -1});
    tree.AddOnBoardUart("ttyS0");
    // ttyUSB2 has a node but nothing in sysfs; ttyUSB9 is in sysfs without a node.
    for (const char* pszName : {"ttyUSB0", "ttyUSB10", "ttyACM0", "ttyS0", "ttyUSB2"})
        tree.AddNode(pszName, kCharDevice);
    tree.AddUsbSerial("ttyUSB9", {"FTDI", "FT232R USB UART", "", "0403", "6001", "ftdi_sio", 1});
    tree.AddById("usb-FTDI_FT232R_USB_UART_A10K3J2Q-if00-port0", "ttyUSB0");

    const std::string strDash = " \xE2\x80\x94 ";
    EXPECT_EQ(SerialDeviceEntries(tree.Roots()),
              (std::vector<std::string>{
                  "ttyACM0" + strDash + "Arduino Uno",
                  "ttyUSB0" + strDash + "FTDI FT232R USB UART (A10K3J2Q)", "ttyUSB2",
                  "ttyUSB10" + strDash + "Silicon Labs CP2102 USB to UART Bridge Controller"}));

    // The adapter pulled: its entry goes with its node.
    tree.Unplug("ttyUSB0");
    EXPECT_EQ(SerialDeviceEntries(tree.Roots()).size(), 3u);
}

// Simulators are offered by what they are, and each entry opens the link its
// simulator announced.
TEST(PortList, OnlyLiveSimulatorsWithATerminalAreOfferedByWhatTheyAre) {
    const CEnvFolder runtime("XDG_RUNTIME_DIR");
    const fs::path root = SimAnnounceDir();
    fs::create_directories(root);
    // A process that has ended, for a stale link.
    const pid_t nDead = fork();
    if (nDead == 0)
        _exit(0);
    ASSERT_GT(nDead, 0);
    waitpid(nDead, nullptr, 0);

    const std::string strMe = std::to_string(getpid());
    for (const char* pszKind : {"transceiver", "controller", "ip", "modem"})
        fs::create_symlink(kCharDevice, root / (pszKind + ("-" + strMe)));
    fs::create_symlink(kCharDevice, root / ("controller-" + std::to_string(nDead)));
    fs::create_symlink(root / "gone", root / ("transceiver-1" + strMe));
    fs::create_symlink(kCharDevice, root / "transceiver");
    std::ofstream(root / ("notes-" + strMe)) << "not a link";

    const std::vector<std::string> entries = RunningSimulators(root.string());
    // A kind this program does not know is offered by its path.
    EXPECT_EQ(entries, (std::vector<std::string>{"Simulated Controller (" + strMe + ")",
                                                 "Simulated IP-Enabled Controller (" + strMe + ")",
                                                 (root / ("modem-" + strMe)).string(),
                                                 "Simulated Transceiver (" + strMe + ")"}));
    const char* const kLinks[] = {"controller-", "ip-", "modem-", "transceiver-"};
    for (size_t i = 0; i < entries.size() && i < std::size(kLinks); ++i)
        EXPECT_EQ(CSComDoc::DevicePath(entries[i]), (root / (kLinks[i] + strMe)).string());
    EXPECT_TRUE(RunningSimulators((root / "nowhere").string()).empty());
}
} // namespace
