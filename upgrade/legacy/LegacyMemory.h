#pragma once

#include <cstdint>
#include <string>

// What the legacy run keeps from one run to the next (the dialog holds it):
// the console log-in the operator confirmed, and the counters every run
// clears and then applies.
struct CLegacyMemory {
    std::string m_strLoginUser;     // sent at "Login"; empty until the password prompt
    std::string m_strLoginPassword; // sent at "Passwd"
    int32_t m_nRetryCount = 0;      // unanswered chunks, failed waits for the boot loader
    uint8_t m_bUploadFailed = 0;    // the log-in or the transfer failed
};
