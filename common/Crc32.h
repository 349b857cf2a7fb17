#pragma once

#include <cstddef>
#include <cstdint>
#include <zlib.h>

// The CRC-32 of zlib, which the boot monitor's image headers carry (reflected,
// polynomial EDB88320). Images here stay far below zlib's 4 GiB length.
inline uint32_t Crc32(const uint8_t* pData, size_t nSize) {
    return static_cast<uint32_t>(crc32(0L, pData, static_cast<uInt>(nSize)));
}

// The CRC-32 of what nCrc was the CRC-32 of, followed by the nSize bytes at
// pData (0 for nothing yet).
inline uint32_t Crc32(uint32_t nCrc, const uint8_t* pData, size_t nSize) {
    return static_cast<uint32_t>(crc32(nCrc, pData, static_cast<uInt>(nSize)));
}
