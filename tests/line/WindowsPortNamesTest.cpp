// How the port list names the ports Windows reports, and the slow-adapter
// line on Windows: text work, run everywhere.
#include <gtest/gtest.h>

#include "line/WindowsPortNames.h"
#include "line/WindowsSlowAdapter.h"

namespace {
const std::string kDash = " \xE2\x80\x94 ";

TEST(WindowsPortNames, SerialNumberFromTheInstanceId) {
    const std::pair<const char*, const char*> kCases[] = {
        {"FTDIBUS\\VID_0403+PID_6001+A10K3J2QA\\0000", "A10K3J2Q"},
        {"FTDIBUS\\VID_0403+PID_6010+FT4ZQ2LSB\\0000", "FT4ZQ2LS"}, // second port of a dual chip
        {"ftdibus\\vid_0403+pid_6001+a10k3j2qa\\0000", "a10k3j2q"},
        {"FTDIBUS\\VID_0403+PID_6001+7&1A2B3C4D&0&2\\0000", ""}, // no serial: made up
        {"USB\\VID_10C4&PID_EA60\\0001", "0001"},
        {"USB\\VID_067B&PID_2303\\5&2B3C4D5E&0&2", ""},
        {"ACPI\\PNP0501\\1", ""}, // an on-board port
        {"FTDIBUS", ""},
        {"", ""},
    };
    for (const auto& [pszId, pszSerial] : kCases)
        EXPECT_EQ(SerialOfInstanceId(pszId), pszSerial) << pszId;
}

TEST(WindowsPortNames, ComNameOfWhatTheOperatorOrTheListGives) {
    const std::pair<std::string, const char*> kCases[] = {
        {"COM7", "COM7"},
        {"com12", "COM12"},
        {"\\\\.\\COM10", "COM10"},
        {"COM7" + kDash + "USB Serial Port (FTDI, A10K3J2Q)", "COM7"},
        {"LPT1", ""},
        {"COM", ""},
        {"COM0", ""},
        {"COM7x", ""},
        {"/dev/ttyUSB0", ""},
    };
    for (const auto& [strPort, pszCom] : kCases)
        EXPECT_EQ(ComNameOf(strPort), pszCom) << strPort;
}

TEST(WindowsPortNames, EntryNamesThePortAsDeviceManagerDoes) {
    const std::pair<WindowsPortInfo, std::string> kCases[] = {
        {{"COM7", "USB Serial Port (COM7)", "FTDI", "FTDIBUS\\VID_0403+PID_6001+A10K3J2QA\\0000"},
         "COM7" + kDash + "USB Serial Port (FTDI, A10K3J2Q)"},
        // The maker already in the name, a serial number from a USB id.
        {{"COM4", "Silicon Labs CP210x USB to UART Bridge (COM4)", "Silicon Labs",
          "USB\\VID_10C4&PID_EA60\\0001"},
         "COM4" + kDash + "Silicon Labs CP210x USB to UART Bridge (0001)"},
        {{"COM9", "USB Serial Device (COM9)", "Microsoft", "USB\\VID_2341&PID_0043\\6&1&0&1"},
         "COM9" + kDash + "USB Serial Device (Microsoft)"},
        {{"COM5", "Communications Port (COM5)", "(Standard port types)", "ACPI\\PNP0501\\1"},
         "COM5" + kDash + "Communications Port (Standard port types)"},
        // A name that does not end in its port keeps it; no name at all.
        {{"COM11", "Bluetooth link", "", ""}, "COM11" + kDash + "Bluetooth link"},
        {{"COM6", "", "FTDI", "FTDIBUS\\VID_0403+PID_6001+A10K3J2QA\\0000"},
         "COM6" + kDash + "FTDI (A10K3J2Q)"},
        {{"COM8", "(COM8)", "", ""}, "COM8"},
    };
    for (const auto& [port, strEntry] : kCases)
        EXPECT_EQ(WindowsPortEntry(port), strEntry) << port.strFriendlyName;
}

TEST(WindowsPortNames, EntriesAfterTheTemplatesPortsInNaturalOrder) {
    const std::vector<WindowsPortInfo> kPorts = {
        {"COM10", "USB Serial Port (COM10)", "FTDI", ""},
        {"LPT1", "Printer Port (LPT1)", "(Standard port types)", ""},
        {"COM1", "Communications Port (COM1)", "(Standard port types)", ""},
        {"COM9", "USB Serial Device (COM9)", "", ""},
        {"", "Unnamed", "", ""},
        {"COM5", "USB Serial Port (COM5)", "", ""},
    };
    const std::vector<std::string> kExpected = {"COM5" + kDash + "USB Serial Port",
                                                "COM9" + kDash + "USB Serial Device",
                                                "COM10" + kDash + "USB Serial Port (FTDI)"};
    EXPECT_EQ(WindowsPortEntries(kPorts), kExpected);
}

TEST(WindowsSlowAdapter, TimerAboveTwoMsNamesTheDeviceManagerSetting) {
    const std::string strText = WindowsSlowAdapterNotice("COM7", 16);
    EXPECT_EQ(strText, "The USB adapter on COM7 holds received bytes for 16 ms before passing "
                       "them on, so the upload will be slower. To speed it up: Device Manager "
                       "\xE2\x86\x92 Ports (COM & LPT) \xE2\x86\x92 COM7 \xE2\x86\x92 Port "
                       "Settings \xE2\x86\x92 Advanced \xE2\x86\x92 Latency Timer (msec): 1, "
                       "then start the upgrade again.");
    EXPECT_EQ(strText.find('\n'), std::string::npos); // one line
    EXPECT_NE(WindowsSlowAdapterNotice("COM12", 3).find("COM12 holds received bytes for 3 ms"),
              std::string::npos);
    for (int nMs : {2, 1, 0, -1})
        EXPECT_EQ(WindowsSlowAdapterNotice("COM7", nMs), "") << nMs;
}
} // namespace
