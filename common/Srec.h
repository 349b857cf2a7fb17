#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

// One Motorola S-record: "S", a type digit, a byte count, the address, the
// data and a checksum (ones' complement of the sum of count, address and data).
// The one reader and writer of the build-time tools, the validator and the
// module simulator's loaders.
struct SrecRecord {
    int nType = -1; // the digit after "S"
    uint32_t nAddress = 0;
    std::vector<uint8_t> data; // the S0 header text for type 0
    bool IsData() const { return nType >= 1 && nType <= 3; }
    bool IsEnd() const { return nType >= 7 && nType <= 9; }
};

enum class SrecParse { Record, Empty, Bad };

// Address width in bytes of a record type (S5/S6 count records included); 0
// for S4, which no loader knows.
int SrecAddressBytes(int nType);

// Reads one line without its line end; hex digits of either case, as the boot
// monitor takes them. A blank line is Empty; anything malformed, or a record
// whose checksum does not hold, is Bad, and *pReason says why.
SrecParse ParseSrec(std::string_view line, SrecRecord& record, std::string* pReason = nullptr);

// Appends one record with its CR LF to out: upper-case hex, a valid checksum.
void AppendSrecRecord(std::string& out, int nType, uint32_t nAddress, const uint8_t* pData,
                      int nDataLen);
