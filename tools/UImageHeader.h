#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

// The legacy U-Boot image format: a 64-byte big-endian header, then the data.
constexpr uint32_t kUImageMagic = 0x27051956;
constexpr size_t kUImageHeaderSize = 64;

// Field codes as the boot monitor and mkimage know them.
namespace uimage {
constexpr uint8_t kOsLinux = 5;
constexpr uint8_t kArchArm = 2;
constexpr uint8_t kArchPowerPc = 7;
constexpr uint8_t kTypeKernel = 2;
constexpr uint8_t kTypeRamdisk = 3;
constexpr uint8_t kTypeFilesystem = 7;
constexpr uint8_t kCompressionNone = 0;
} // namespace uimage

struct UImageFields {
    uint32_t nTime = 0;
    uint32_t nLoadAddress = 0;
    uint32_t nEntryPoint = 0;
    uint8_t nOs = uimage::kOsLinux;
    uint8_t nArch = uimage::kArchPowerPc;
    uint8_t nType = uimage::kTypeKernel;
    uint8_t nCompression = uimage::kCompressionNone;
    std::string strName; // at most 31 characters, NUL-padded to 32
};

uint32_t ReadBigEndian32(const uint8_t* p);

// Writes the header in front of image[64...]: the data size, both CRCs and
// the fields. image must be at least 64 bytes long.
void WriteUImageHeader(std::vector<uint8_t>& image, const UImageFields& fields);
