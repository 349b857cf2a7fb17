// The USB adapter behind a tty, read from a device tree laid out as sysfs and
// /dev are, and the names the port list and the line give it.
#include <cstdlib>
#include <filesystem>
#include <gtest/gtest.h>

#include "line/PortName.h"
#include "line/SComDoc.h"
#include "line/posix/AdapterInfo.h"
#include "testing/FakeDeviceTree.h"

namespace fs = std::filesystem;

namespace {
const char kDash[] = " \xE2\x80\x94 ";

CFakeDeviceTree::Usb Ftdi(int nLatencyMs = 16) {
    return {"FTDI", "FT232R USB UART", "A10K3J2Q", "0403", "6001", "ftdi_sio", nLatencyMs};
}

// Each adapter as its tree shows it, and the name the list gives it: the
// serial number in parentheses, the USB ids for a missing product text.
TEST(AdapterInfo, UsbAdaptersAndTheirNames) {
    struct {
        bool bModem; // a modem hangs off its interface
        const char* pszTty;
        CFakeDeviceTree::Usb usb;
        const char* pszName;
    } const cases[] = {
        {false, "ttyUSB0", Ftdi(), "FTDI FT232R USB UART (A10K3J2Q)"},
        {false,
         "ttyUSB1",
         {"Silicon Labs", "CP2102 USB to UART Bridge Controller", "", "10c4", "ea60", "cp210x", -1},
         "Silicon Labs CP2102 USB to UART Bridge Controller"},
        {false, "ttyUSB2", {"", "", "", "067b", "2303", "pl2303", -1}, "067b:2303"},
        {false,
         "ttyUSB3",
         {"Prolific", "", "X9", "067b", "2303", "pl2303", -1},
         "Prolific 067b:2303 (X9)"},
        {true,
         "ttyACM0",
         {"Arduino (www.arduino.cc)", "Uno", "8573531", "2341", "0043", "cdc_acm", -1},
         "Arduino (www.arduino.cc) Uno (8573531)"},
    };
    CFakeDeviceTree tree;
    ASSERT_TRUE(tree.Ok());
    for (const auto& c : cases) {
        SCOPED_TRACE(c.pszTty);
        if (c.bModem)
            tree.AddModem(c.pszTty, c.usb);
        else
            tree.AddUsbSerial(c.pszTty, c.usb);
        const AdapterInfo info = ReadAdapter(c.pszTty, tree.Roots());
        EXPECT_TRUE(info.bUsb);
        EXPECT_EQ(info.strMaker, c.usb.strMaker);
        EXPECT_EQ(info.strProduct, c.usb.strProduct);
        EXPECT_EQ(info.strSerial, c.usb.strSerial);
        EXPECT_EQ(info.strVendorId, c.usb.strVendorId);
        EXPECT_EQ(info.strProductId, c.usb.strProductId);
        EXPECT_EQ(info.strDriver, c.usb.strDriver);
        EXPECT_EQ(info.nLatencyMs, c.usb.nLatencyMs);
        EXPECT_EQ(AdapterDescription(info), c.pszName);
    }
    EXPECT_EQ(PortEntryText("ttyUSB0", "FTDI FT232R USB UART (A10K3J2Q)"),
              std::string("ttyUSB0") + kDash + "FTDI FT232R USB UART (A10K3J2Q)");
    // The timer is read as it is now.
    tree.SetLatency("ttyUSB0", 1);
    EXPECT_EQ(ReadAdapter("ttyUSB0", tree.Roots()).nLatencyMs, 1);
}

TEST(AdapterInfo, NothingIsKnownOfOnBoardUartsAndUnknownTtys) {
    CFakeDeviceTree tree;
    tree.AddOnBoardUart("ttyS0");
    for (const char* pszTty : {"ttyS0", "ttyUSB7", "", "pts/3"}) {
        const AdapterInfo info = ReadAdapter(pszTty, tree.Roots());
        EXPECT_FALSE(info.bUsb) << pszTty;
        EXPECT_TRUE(info.strDriver.empty()) << pszTty;
        EXPECT_EQ(AdapterDescription(info), "") << pszTty;
    }
    EXPECT_EQ(PortEntryText("ttyUSB7", ""), "ttyUSB7");
}

TEST(AdapterInfo, StableNameIsTheByIdLinkToTheTty) {
    CFakeDeviceTree tree;
    tree.AddNode("ttyUSB0", "/dev/null");
    tree.AddNode("ttyUSB1", "/dev/zero");
    tree.AddById("usb-FTDI_FT232R_USB_UART_A10K3J2Q-if00-port0", "ttyUSB0");
    tree.AddById("usb-Prolific_USB-Serial-if00-port0", "ttyUSB1");
    const std::string strById = tree.Roots().strDev + "/serial/by-id/";
    EXPECT_EQ(StableDevicePath("ttyUSB0", tree.Roots()),
              strById + "usb-FTDI_FT232R_USB_UART_A10K3J2Q-if00-port0");
    EXPECT_EQ(StableDevicePath("ttyUSB1", tree.Roots()),
              strById + "usb-Prolific_USB-Serial-if00-port0");
    EXPECT_EQ(StableDevicePath("ttyACM0", tree.Roots()), "");

    tree.AddById("usb-gone-if00-port0", "ttyUSB5"); // dangling: no such node
    EXPECT_EQ(StableDevicePath("ttyUSB5", tree.Roots()), "");
}

TEST(AdapterInfo, DevicePathOpensAnEntryThroughItsStableName) {
    CFakeDeviceTree tree;
    tree.AddUsbSerial("ttyUSB0", Ftdi());
    tree.AddNode("ttyUSB0", "/dev/null");
    tree.AddNode("ttyUSB1", "/dev/zero");
    tree.AddById("usb-FTDI_FT232R_USB_UART_A10K3J2Q-if00-port0", "ttyUSB0");
    const DeviceRoots roots = tree.Roots();
    const std::string strLink =
        roots.strDev + "/serial/by-id/usb-FTDI_FT232R_USB_UART_A10K3J2Q-if00-port0";
    const std::string strEntry = std::string("ttyUSB0") + kDash + "FTDI FT232R USB UART (A10K3J2Q)";
    EXPECT_EQ(CSComDoc::DevicePath(strEntry, roots), strLink);
    EXPECT_EQ(CSComDoc::DevicePath("ttyUSB0", roots), strLink);
    EXPECT_EQ(CSComDoc::DevicePath("ttyUSB1", roots), roots.strDev + "/ttyUSB1");
    EXPECT_EQ(CSComDoc::DevicePath("COM2", roots), roots.strDev + "/ttyS1");
    EXPECT_EQ(CSComDoc::DevicePath("/dev/pts/7", roots), "/dev/pts/7");

    // Pulled after the list was made: the plain node, which is gone too.
    tree.Unplug("ttyUSB0");
    EXPECT_EQ(CSComDoc::DevicePath(strEntry, roots), roots.strDev + "/ttyUSB0");
    EXPECT_FALSE(fs::exists(roots.strDev + "/ttyUSB0"));
}

TEST(PortName, EntriesPortsAndTtys) {
    const std::string strEntry = std::string("ttyUSB0") + kDash + "FTDI FT232R USB UART (A10K3J2Q)";
    EXPECT_EQ(PortOfEntry(strEntry), "ttyUSB0");
    EXPECT_EQ(PortOfEntry("COM3"), "COM3");
    EXPECT_EQ(PortOfEntry("/run/user/0/ktr84-modsim/ip-77"), "/run/user/0/ktr84-modsim/ip-77");
    EXPECT_EQ(PortOfEntry("ttyUSB0 - not the dash"), "ttyUSB0 - not the dash");
    EXPECT_EQ(TtyOfPort(strEntry), "ttyUSB0");
    EXPECT_EQ(TtyOfPort("COM1"), "ttyS0");
    EXPECT_EQ(TtyOfPort("COM4"), "ttyS3");
    EXPECT_EQ(TtyOfPort("ttyACM2"), "ttyACM2");
    EXPECT_EQ(TtyOfPort("/dev/ttyUSB3"), "ttyUSB3");

    CFakeDeviceTree tree;
    tree.AddNode("ttyUSB0", "/dev/null");
    tree.AddById("usb-FTDI-if00-port0", "ttyUSB0");
    // A path names the node it leads to.
    EXPECT_EQ(TtyOfPort(tree.Roots().strDev + "/serial/by-id/usb-FTDI-if00-port0"), "null");
}

TEST(DeviceRoots, ComeFromTheEnvironment) {
    unsetenv("KTR84_SYSFS_ROOT");
    unsetenv("KTR84_DEV_ROOT");
    EXPECT_EQ(DeviceRootsFromEnvironment().strSys, "/sys");
    EXPECT_EQ(DeviceRootsFromEnvironment().strDev, "/dev");
    setenv("KTR84_SYSFS_ROOT", "/tmp/fake/sys", 1);
    setenv("KTR84_DEV_ROOT", "/tmp/fake/dev", 1);
    EXPECT_EQ(DeviceRootsFromEnvironment().strSys, "/tmp/fake/sys");
    EXPECT_EQ(DeviceRootsFromEnvironment().strDev, "/tmp/fake/dev");
    EXPECT_EQ(CSComDoc::DevicePath("ttyUSB0"), "/tmp/fake/dev/ttyUSB0");
    unsetenv("KTR84_SYSFS_ROOT");
    unsetenv("KTR84_DEV_ROOT");
}
} // namespace
