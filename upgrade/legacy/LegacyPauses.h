#pragma once

#include <cstdint>

// How the legacy dialogue is paced: the fixed waits, in milliseconds, that the
// Transceiver and Controller consoles and boot loaders expect, and the limits
// of its retries. In one place, so the run's timing reads in one look.
namespace legacy {
// The console log-in.
inline constexpr int kAfterAnswerMs = 100;     // after each log-in answer or menu letter
inline constexpr int kUnansweredMs = 1000;     // after a chunk with nothing recognised
inline constexpr int kAfterRebootTryMs = 2000; // after a reboot out of the boot loader menu
inline constexpr int kAfterResetMs = 5;        // after "reset", before the b letters
inline constexpr int kBetweenBLettersMs = 10;  // the b letters typed through the restart
inline constexpr int kBLetters = 50;
inline constexpr int32_t kUnansweredLimit = 30; // unanswered chunks before "Login failed!"

// The boot loader.
inline constexpr int kBannerMissMs = 2000;    // after a chunk without its banner
inline constexpr int32_t kBannerAttempts = 3; // the third miss goes back to the console
inline constexpr int kAfterBootPasswordMs = 200;
inline constexpr int kBetweenStatusesMs = 100; // between two statuses of one step
inline constexpr int kNoticeWaitMs = 1000;     // for the rate letter's answer to begin
inline constexpr int kBeforeReopenMs = 100;    // the rate letter answered at the old rate

// The upload and after it.
inline constexpr int kAfterFailureMs = 100;   // "FAILURE" seen, before the r
inline constexpr int kAfterTransferMs = 4000; // "\r\r" ends the file; the flash write starts
inline constexpr int kAfterRebootMs = 100;
} // namespace legacy
