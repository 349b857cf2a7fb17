#pragma once

#include <cstdint>
#include <string>
#include <vector>

// One Motorola S-record as the modules' loaders read it.
struct SrecRecord {
    int nType = 0; // 0 to 9
    uint32_t nAddress = 0;
    std::vector<uint8_t> data;
    bool IsData() const { return nType >= 1 && nType <= 3; }
    bool IsEnd() const { return nType >= 7 && nType <= 9; }
};

enum class SrecParse { Record, Empty, Bad };

// Parses one line (without its line end). Empty or blank lines are Empty;
// anything malformed, and a record whose checksum does not match, is Bad.
SrecParse ParseSrec(const std::string& strLine, SrecRecord& record);
