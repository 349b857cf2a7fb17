#pragma once

#include <cstdint>
#include <string>
#include <vector>

// A contiguous run of addresses [nFirst, nLast]; records restart at nSplit
// when it lies inside (a section boundary), 0 for none.
struct SrecBlock {
    uint32_t nFirst;
    uint32_t nLast;
    uint32_t nSplit;
};

// Legacy merge file: S0 with the header bytes, S3 records of nPerRecord bytes
// block by block in the given order (each block's last record and the one
// before a split may be shorter), S7 with start address 0.
std::string MakeMergeImageText(const std::vector<uint8_t>& header,
                               const std::vector<SrecBlock>& blocks, int nPerRecord,
                               uint64_t nSeed);

// Position-relative image: S0 with the header text, the bytes as S2 records of
// nPerRecord bytes from address 0 upward, S8 with start address 0.
std::string MakeRelativeImageText(const std::string& strHeader, const std::vector<uint8_t>& bytes,
                                  int nPerRecord);
