#include "sim/IpModule.h"

#include "common/Crc32.h"

#include <cstdio>
#include <ctime>

namespace {

constexpr uint32_t kImageMagic = 0x27051956;
constexpr uint32_t kHeaderSize = 64;

uint32_t BigEndian(const uint8_t* p) {
    return (uint32_t(p[0]) << 24) | (uint32_t(p[1]) << 16) | (uint32_t(p[2]) << 8) | p[3];
}

const char* ArchName(uint8_t n) {
    static const char* kNames[] = {"Invalid ARCH", "Alpha",        "ARM",     "Intel x86", "IA64",
                                   "MIPS",         "MIPS 64 Bit",  "PowerPC", "IBM S390",  "SuperH",
                                   "SPARC",        "SPARC 64 Bit", "M68K"};
    return n < std::size(kNames) ? kNames[n] : "Unknown Architecture";
}

const char* OsName(uint8_t n) {
    switch (n) {
    case 1:
        return "OpenBSD";
    case 2:
        return "NetBSD";
    case 3:
        return "FreeBSD";
    case 5:
        return "Linux";
    case 17:
        return "U-Boot";
    default:
        return "Unknown OS";
    }
}

const char* TypeName(uint8_t n) {
    static const char* kNames[] = {"Invalid Image", "Standalone Program", "Kernel Image",
                                   "RAMDisk Image", "Multi-File Image",   "Firmware",
                                   "Script",        "Filesystem Image"};
    return n < std::size(kNames) ? kNames[n] : "Unknown Image";
}

const char* CompressionName(uint8_t n) {
    static const char* kNames[] = {"uncompressed", "gzip compressed", "bzip2 compressed",
                                   "lzma compressed", "lzo compressed"};
    return n < std::size(kNames) ? kNames[n] : "Unknown Compression";
}

// The monitor's print_size: one decimal, rounded, in the largest binary unit.
std::string SizeText(uint32_t nSize) {
    static const char kUnits[] = {'G', 'M', 'K'};
    for (int i = 0, nShift = 30; i < 3; ++i, nShift -= 10) {
        if ((nSize >> nShift) == 0) {
            continue;
        }
        uint64_t n = nSize >> nShift;
        uint64_t nFraction = nSize & ((1ull << nShift) - 1);
        uint64_t m = 0;
        if (nFraction) {
            m = (10ull * nFraction + (1ull << (nShift - 1))) >> nShift;
            if (m >= 10) {
                m -= 10;
                n += 1;
            }
        }
        std::string strText = std::to_string(n);
        if (m) {
            strText.append(".").append(std::to_string(m));
        }
        return strText + " " + kUnits[i] + "iB";
    }
    return std::to_string(nSize) + " Bytes";
}

std::string CreatedText(uint32_t nTime) {
    time_t t = nTime;
    tm when{};
    gmtime_r(&t, &when);
    char buf[64];
    std::snprintf(buf, sizeof buf, "%4d-%02d-%02d  %2d:%02d:%02d UTC", when.tm_year + 1900,
                  when.tm_mon + 1, when.tm_mday, when.tm_hour, when.tm_min, when.tm_sec);
    return buf;
}

} // namespace

// imi: the legacy image header's magic, its own CRC, then the data CRC.
CIpModule::CommandResult CIpModule::CmdImageInfo(const Args& args) {
    uint32_t nAddress = args.size() > 1 ? ParseHex(args[1]) : m_nLoadAddress;
    m_term.Step("imi");
    char buf[160];
    std::snprintf(buf, sizeof buf, "\n## Checking Image at %08x ...\n", nAddress);
    Puts(buf);
    std::vector<uint8_t> header = m_memory.Read(nAddress, kHeaderSize);
    if (BigEndian(&header[0]) != kImageMagic) {
        Puts("Unknown image format!\n");
        return {false};
    }
    Puts("   Legacy image found\n");
    uint32_t nHeaderCrc = BigEndian(&header[4]);
    std::vector<uint8_t> zeroed = header;
    std::fill(zeroed.begin() + 4, zeroed.begin() + 8, 0);
    if (Crc32(zeroed.data(), kHeaderSize) != nHeaderCrc) {
        Puts("   Bad Header Checksum\n");
        return {false};
    }
    uint32_t nSize = BigEndian(&header[12]);
    std::string strName(reinterpret_cast<const char*>(&header[32]), 32);
    strName = strName.substr(0, strName.find('\0'));
    Puts("   Image Name:   " + strName + "\n");
    Puts("   Created:      " + CreatedText(BigEndian(&header[8])) + "\n");
    std::snprintf(buf, sizeof buf, "   Image Type:   %s %s %s (%s)\n", ArchName(header[29]),
                  OsName(header[28]), TypeName(header[30]), CompressionName(header[31]));
    Puts(buf);
    std::snprintf(buf, sizeof buf, "   Data Size:    %u Bytes = ", nSize);
    Puts(buf + SizeText(nSize) + "\n");
    std::snprintf(buf, sizeof buf, "   Load Address: %08x\n   Entry Point:  %08x\n",
                  BigEndian(&header[16]), BigEndian(&header[20]));
    Puts(buf);
    Puts("   Verifying Checksum ... ");
    nSize = std::min(nSize, CSimMemory::kRamSize);
    std::vector<uint8_t> data = m_memory.Read(nAddress + kHeaderSize, nSize);
    if (Crc32(data.data(), data.size()) != BigEndian(&header[24])) {
        Puts("   Bad Data CRC\n");
        return {false};
    }
    Puts("OK\n");
    return {};
}
