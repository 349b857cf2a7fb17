#include "sim/SimMemory.h"

namespace {

// Unwritten RAM reads as zero; flash that was never erased holds the old
// software, modelled as a fixed pattern that is never 0xFF throughout.
uint8_t OldFlashByte(uint32_t nAddress) {
    return static_cast<uint8_t>((nAddress * 131u + (nAddress >> 9)) & 0x7F);
}

} // namespace

CSimMemory::CSimMemory() = default;

bool CSimMemory::IsRam(uint32_t nAddress, uint32_t nLength) const {
    return nAddress < kRamSize && nLength <= kRamSize - nAddress;
}

bool CSimMemory::IsFlash(uint32_t nAddress, uint32_t nLength) const {
    return nAddress >= kFlashBase && nAddress - kFlashBase < kFlashSize &&
           nLength <= kFlashSize - (nAddress - kFlashBase);
}

uint8_t CSimMemory::Peek(uint32_t nAddress) const {
    auto it = m_pages.find(nAddress / kPageSize);
    if (it != m_pages.end()) {
        return it->second[nAddress % kPageSize];
    }
    return IsFlash(nAddress) ? OldFlashByte(nAddress) : 0;
}

void CSimMemory::Poke(uint32_t nAddress, uint8_t c) {
    auto it = m_pages.find(nAddress / kPageSize);
    if (it == m_pages.end()) {
        Page page(kPageSize);
        uint32_t nBase = nAddress / kPageSize * kPageSize;
        for (uint32_t i = 0; i < kPageSize; ++i) {
            page[i] = IsFlash(nBase + i) ? OldFlashByte(nBase + i) : 0;
        }
        it = m_pages.emplace(nAddress / kPageSize, std::move(page)).first;
    }
    it->second[nAddress % kPageSize] = c;
}

std::vector<uint8_t> CSimMemory::Read(uint32_t nAddress, uint32_t nLength) const {
    std::lock_guard lock(m_mutex);
    std::vector<uint8_t> data(nLength);
    for (uint32_t i = 0; i < nLength; ++i) {
        data[i] = Peek(nAddress + i);
    }
    return data;
}

uint8_t CSimMemory::ReadByte(uint32_t nAddress) const {
    std::lock_guard lock(m_mutex);
    return Peek(nAddress);
}

void CSimMemory::WriteRam(uint32_t nAddress, const uint8_t* pData, uint32_t nLength) {
    std::lock_guard lock(m_mutex);
    for (uint32_t i = 0; i < nLength && IsRam(nAddress + i); ++i) {
        Poke(nAddress + i, pData[i]);
    }
}

void CSimMemory::EraseSector(uint32_t nSector) {
    std::lock_guard lock(m_mutex);
    uint32_t nBase = kFlashBase + nSector * kSectorSize;
    for (uint32_t i = 0; i < kSectorSize; ++i) {
        Poke(nBase + i, 0xFF);
    }
}

FlashResult CSimMemory::Program(uint32_t nAddress, const uint8_t* pData, uint32_t nLength,
                                uint32_t* pWritten) {
    *pWritten = 0;
    if (!IsFlash(nAddress, nLength)) {
        return FlashResult::Outside;
    }
    for (uint32_t n = SectorOf(nAddress); nLength > 0 && n <= SectorOf(nAddress + nLength - 1);
         ++n) {
        if (IsProtectedSector(n)) {
            return FlashResult::Protected;
        }
    }
    std::lock_guard lock(m_mutex);
    for (uint32_t i = 0; i < nLength; ++i) {
        uint8_t nOld = Peek(nAddress + i);
        if ((nOld & pData[i]) != pData[i]) {
            return FlashResult::NotErased;
        }
        Poke(nAddress + i, pData[i]);
        *pWritten = i + 1;
    }
    return FlashResult::Ok;
}
