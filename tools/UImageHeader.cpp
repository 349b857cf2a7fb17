#include "tools/UImageHeader.h"

#include "common/Crc32.h"

#include <algorithm>
#include <cstring>

namespace {

void PutBigEndian32(uint8_t* p, uint32_t n) {
    p[0] = static_cast<uint8_t>(n >> 24);
    p[1] = static_cast<uint8_t>(n >> 16);
    p[2] = static_cast<uint8_t>(n >> 8);
    p[3] = static_cast<uint8_t>(n);
}

} // namespace

uint32_t ReadBigEndian32(const uint8_t* p) {
    return uint32_t(p[0]) << 24 | uint32_t(p[1]) << 16 | uint32_t(p[2]) << 8 | p[3];
}

void WriteUImageHeader(std::vector<uint8_t>& image, const UImageFields& fields) {
    uint8_t* h = image.data();
    const uint8_t* pBody = h + kUImageHeaderSize;
    size_t nBody = image.size() - kUImageHeaderSize;
    std::memset(h, 0, kUImageHeaderSize);
    PutBigEndian32(h + 0, kUImageMagic);
    PutBigEndian32(h + 8, fields.nTime);
    PutBigEndian32(h + 12, static_cast<uint32_t>(nBody));
    PutBigEndian32(h + 16, fields.nLoadAddress);
    PutBigEndian32(h + 20, fields.nEntryPoint);
    PutBigEndian32(h + 24, Crc32(pBody, nBody));
    h[28] = fields.nOs;
    h[29] = fields.nArch;
    h[30] = fields.nType;
    h[31] = fields.nCompression;
    std::memcpy(h + 32, fields.strName.data(), std::min<size_t>(fields.strName.size(), 31));
    // The header CRC is taken with its own field zero.
    PutBigEndian32(h + 4, Crc32(h, kUImageHeaderSize));
}
