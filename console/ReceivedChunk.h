#pragma once

#include <array>
#include <cstdint>
#include <string>

constexpr int32_t kRxCapacity = 2048;

// What the last poll of the line brought: up to 2048 bytes and room for the
// terminator the IP run puts after them. One for the dialog's whole life.
struct CReceivedChunk {
    const uint8_t* Data() const { return m_rxBuffer.data(); }

    std::array<uint8_t, kRxCapacity + 1> m_rxBuffer{};
    int32_t m_nRxCount = 0;  // bytes of the last poll, 0 to 2048
    std::string m_strLastRx; // IP run: their text up to the first NUL
};
