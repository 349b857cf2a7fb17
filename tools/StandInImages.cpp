#include "tools/StandInImages.h"

#include <cstring>
#include <vector>

#include "tools/PatternFill.h"
#include "tools/SrecImageText.h"
#include "tools/SrecValidator.h"
#include "tools/UImageHeader.h"

namespace {

// Both legacy modules' merge files carry the same ten-byte header.
const std::vector<uint8_t> kMergeHeader = {0, 0, 0, 0, 0, 0, 0, 0x07, 0xFA, 0xF2};
constexpr int kMergeRecordBytes = 20;
constexpr int kRelativeRecordBytes = 16;

// Blocks in the order the linker wrote them, which is not ascending.
const std::vector<SrecBlock> kTransceiverBlocks = {
    {0x02900000, 0x02948427, 0x02908000}, {0x02820000, 0x0285D393, 0x02828000},
    {0x02860000, 0x02864A32, 0x02864000}, {0x02880000, 0x028814B5, 0},
    {0x028C0000, 0x028C939B, 0x028C4000}, {0x028CA6B8, 0x028CA857, 0},
    {0x028D0000, 0x028D0C7F, 0},          {0x02969D40, 0x02969EDF, 0},
};

const std::vector<SrecBlock> kControllerBlocks = {
    {0x02900000, 0x02915E1F, 0x02908000}, {0x02820000, 0x028480C7, 0x02828000},
    {0x02860000, 0x02864A32, 0x02864000}, {0x02880000, 0x02884A32, 0x02884000},
    {0x028C0000, 0x028C0C5F, 0},          {0x028D0000, 0x028D0C7F, 0},
    {0x02920E78, 0x02921017, 0},          {0x02808002, 0x02808003, 0},
};

constexpr size_t kBootLoaderBytes = 0x20548;
constexpr size_t kKernelBytes = 0x80414;
constexpr size_t kFilesystemBytes = 0x1EFFF2;

// The boot monitor starts with the image magic and its version text.
std::vector<uint8_t> BootLoaderBytes() {
    static const char kVersion[] = "U-Boot 1.1.6-ktr84 (Jun 14 2011 - 09:41:27)";
    std::vector<uint8_t> bytes(kBootLoaderBytes);
    FillPattern(0xB007, 0, bytes.data(), bytes.size());
    bytes[0] = 0x27;
    bytes[1] = 0x05;
    bytes[2] = 0x19;
    bytes[3] = 0x56;
    std::memcpy(bytes.data() + 4, kVersion, sizeof kVersion);
    return bytes;
}

std::vector<uint8_t> LegacyUImageBytes(size_t nSize, uint64_t nSeed, const UImageFields& fields) {
    std::vector<uint8_t> bytes(nSize);
    FillPattern(nSeed, 0, bytes.data(), bytes.size());
    WriteUImageHeader(bytes, fields);
    return bytes;
}

constexpr uint32_t kKernelTime = 0x4DF72CC7;     // 2011-06-14 09:41:27 UTC
constexpr uint32_t kFilesystemTime = 0x4DF72F43; // 2011-06-14 09:52:03 UTC

// The header fields of a stand-in legacy image: its creation time, type and name.
UImageFields Fields(uint32_t nTime, uint8_t nType, const char* pszName) {
    UImageFields fields;
    fields.nTime = nTime;
    fields.nType = nType;
    fields.strName = pszName;
    return fields;
}

} // namespace

int32_t SenderLineLimit(std::string_view name) {
    return name == "SREC_TRAN" || name == "SREC_ADI_CTRL" ? kLegacyMaxLine : kIpMaxLine;
}

std::string BuildStandInImage(std::string_view name) {
    if (name == "SREC_TRAN")
        return MakeMergeImageText(kMergeHeader, kTransceiverBlocks, kMergeRecordBytes, 0x7A4E);
    if (name == "SREC_ADI_CTRL")
        return MakeMergeImageText(kMergeHeader, kControllerBlocks, kMergeRecordBytes, 0xAD1C);
    if (name == "SREC_UBOOT")
        return MakeRelativeImageText("u-boot.srec", BootLoaderBytes(), kRelativeRecordBytes);
    if (name == "SREC_KERNEL")
        return MakeRelativeImageText(
            "linux.srec",
            LegacyUImageBytes(kKernelBytes, 0x4B31,
                              Fields(kKernelTime, uimage::kTypeKernel, "Linux-2.6.21-ktr84")),
            kRelativeRecordBytes);
    if (name == "SREC_FILESYSTEM")
        return MakeRelativeImageText(
            "/home/build/ktr84/ipc/images/rootfs.srec",
            LegacyUImageBytes(
                kFilesystemBytes, 0xF5F5,
                Fields(kFilesystemTime, uimage::kTypeFilesystem, "ktr84 root file system")),
            kRelativeRecordBytes);
    return {};
}
