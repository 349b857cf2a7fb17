#pragma once

#include <cstdint>
#include <string>

enum ModuleKind : int32_t { Transceiver = 0, Controller = 1, IpController = 2 };

constexpr int32_t kRxCapacity = 2048;

// The upgrade state the main dialog carries from run to run.
struct UpgradeContext {
    int32_t m_nModuleKind = Transceiver;
    uint8_t* m_pRxBuffer = nullptr; // kRxCapacity data bytes and one terminator
    int32_t m_nRxCount = 0;
    std::string m_strLastRx;
    std::string m_strLoginUser;
    std::string m_strLoginPassword;
    int32_t m_nRetryCount = 0;
    uint8_t m_bUploadFailed = 0;
    int32_t m_nImageSize = 0;
    int32_t m_nBytesSent = 0;
    const uint8_t* m_pSendCursor = nullptr;
};
