#pragma once

// Control ids of the main dialog, the About box and the password prompt.
namespace ctl {
constexpr int kOk = 1;     // Quit button of the main dialog, OK elsewhere
constexpr int kCancel = 2; // hidden Cancel button
constexpr int kProgress = 1000;
constexpr int kBaudList = 1001;
constexpr int kComList = 1002;
constexpr int kUpgrade = 1004;
constexpr int kStatus = 1036;
constexpr int kTransceiver = 1040;
constexpr int kController = 1041;
constexpr int kIpController = 1042;
constexpr int kPassword = 1045;
constexpr int kDescription = 1046;
constexpr int kBootloader = 1047;
constexpr int kKernel = 1048;
constexpr int kFilesystem = 1049;
constexpr int kDetails = 1050;
constexpr int kHelp = 57670;
} // namespace ctl

// Results of message boxes and modal prompts.
constexpr int IDOK = 1;
constexpr int IDCANCEL = 2;
