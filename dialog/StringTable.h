#pragma once

#include <string>
#include <vector>

// The program's string table; the ids are those the dialog logic refers to.
namespace str {
inline constexpr const char* kAboutItem = "&About KTR-84 upgrader...";                 // 101
inline constexpr const char* kVersion = "3.18";                                        // 104
inline constexpr const char* kKernelRelease = "1.0  (2.4.20)";                         // 105
inline constexpr const char* kFilesystemRelease = "IP Controller Release 4.3";         // 106
inline constexpr const char* kBootloaderRelease = "1.0  (0.4.0)";                      // 107
inline constexpr const char* kDate = "(April 2010)";                                   // 108
inline constexpr const char* kTransceiverDesc = "Transceiver:  Host v4.74  DSP v2.17"; // 109
inline constexpr const char* kControllerDesc = "Controller:   Host v3.10   DSP v1.06"; // 110
inline constexpr const char* kIpControllerDesc =
    "IP Enabled Controller:    Host v4.3    DSP v1.06"; // 111
} // namespace str

// Baud rates offered per module kind, as the texts the procedures send.
inline const std::vector<std::string> LegacyBaudRates = {"9600", "19200", "38400", "115200"};
inline const std::vector<std::string> IpBaudRates = {"9600", "19200", "38400", "57600", "115200"};

// The COM-port entries the main dialog always offers first.
inline const std::vector<std::string> kTemplatePorts = {"COM1", "COM2", "COM3", "COM4"};
