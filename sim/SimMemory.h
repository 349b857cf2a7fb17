#pragma once

#include <cstdint>
#include <map>
#include <memory>
#include <mutex>
#include <vector>

// Where a flash write stopped, as the boot monitor reports it.
enum class FlashResult { Ok, NotErased, Protected, Outside, Timeout };

// The IP-Enabled Controller's memory map: 64 MiB of RAM from address 0 and
// 4 MiB of NOR flash at 0x40000000 in 128 KiB sectors, the first two (the
// boot monitor's own) protected. Pages are allocated on first write.
class CSimMemory {
public:
    static constexpr uint32_t kRamSize = 64u << 20;
    static constexpr uint32_t kFlashBase = 0x40000000;
    static constexpr uint32_t kFlashSize = 4u << 20;
    static constexpr uint32_t kSectorSize = 128u << 10;
    static constexpr uint32_t kProtectedSectors = 2;

    CSimMemory();

    bool IsRam(uint32_t nAddress, uint32_t nLength = 1) const;
    bool IsFlash(uint32_t nAddress, uint32_t nLength = 1) const;
    bool IsProtectedSector(uint32_t nSector) const { return nSector < kProtectedSectors; }
    static uint32_t SectorOf(uint32_t nAddress) { return (nAddress - kFlashBase) / kSectorSize; }

    std::vector<uint8_t> Read(uint32_t nAddress, uint32_t nLength) const;
    uint8_t ReadByte(uint32_t nAddress) const;
    void WriteRam(uint32_t nAddress, const uint8_t* pData, uint32_t nLength);
    void EraseSector(uint32_t nSector);
    // NOR programming: bits can only go from 1 to 0. Writes byte by byte and
    // stops at the first byte that would need a 0 turned back into a 1;
    // *pWritten tells how far it got.
    FlashResult Program(uint32_t nAddress, const uint8_t* pData, uint32_t nLength,
                        uint32_t* pWritten);

private:
    static constexpr uint32_t kPageSize = 4096;
    using Page = std::vector<uint8_t>;

    uint8_t Peek(uint32_t nAddress) const;
    void Poke(uint32_t nAddress, uint8_t c);

    mutable std::mutex m_mutex;
    std::map<uint32_t, Page> m_pages; // by page number
};
