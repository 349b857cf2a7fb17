#pragma once

#include <cstdint>

// How the IP-Enabled Controller's dialogue is paced: the fixed waits, in
// milliseconds, that its operating system and boot monitor expect. In one
// place, so the run's timing reads in one look.
namespace ip {
inline constexpr int kAfterWakeMs = 500;     // the run's own CR at its start
inline constexpr int kBeforeReopenMs = 1000; // "setenv baudrate" answered at the old rate

// The log-in: from the shell, "reboot", then carriage returns through the
// boot monitor's autoboot count-down, which starts some four seconds later.
inline constexpr int kAfterLoginNameMs = 100;
inline constexpr int kNothingKnownMs = 100; // a text that matches none of the prompts
inline constexpr int kRebootToCountdownMs = 4000;
inline constexpr int kCountdownCrs = 10;
inline constexpr int kBetweenCrsMs = 100;

// The image's sequence.
inline constexpr int kBeforeLoadMs = 200;
inline constexpr int kAfterLoadMs = 1000;
inline constexpr int kAfterLoadsMs = 2000;    // "Ready for S-Record download" follows "loads"
inline constexpr int kAfterTransferMs = 4000; // the monitor ends its download and sums up
inline constexpr int kBeforeRamCheckMs = 100;
inline constexpr int kAfterCheckedMs = 100;
inline constexpr int kWhileBusyMs = 1000; // an erase or copy not done yet
inline constexpr int kAfterDoneMs = 200;
inline constexpr int kBeforeCopyMs = 500;
inline constexpr int kAfterFlashCheckMs = 1000;
inline constexpr int kNoVerdictMs = 100;

// Back to 9600 and the boot, or the abort.
inline constexpr int kAfterRevertMs = 200;
inline constexpr int kAfterBootdMs = 1000;
inline constexpr int kAfterAbortCrMs = 100;
inline constexpr int kAbortPauseMs = 1000;
// A stop mid-download waits for the monitor to end it: until it has said so,
// or has been quiet for 5 s (it may be working through what the line held),
// in 80 passes at most.
inline constexpr uint8_t kCtrlC = 0x03;
inline constexpr int kEndDownloadPollMs = 100;
inline constexpr int kEndDownloadQuietWaits = 50;
inline constexpr int kEndDownloadPasses = 80;
} // namespace ip
