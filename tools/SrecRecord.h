#pragma once

#include <cstdint>
#include <string>
#include <string_view>

// One Motorola S-record as it stands on its line, without the CR LF.
struct SrecRecord {
    int nType = -1;         // the digit after "S"
    uint32_t nAddress = 0;  // 16, 24 or 32 bits wide by type
    int nDataLen = 0;       // bytes in data[]
    uint8_t data[255] = {}; // the data bytes (the S0 header text for type 0)
};

// Address width in bytes of a record type, 0 for a type this package never uses.
int SrecAddressBytes(int nType);

// Decodes one line body ("S", type, count, address, data, checksum in upper-case
// hex). On failure strReason says what is wrong and the result is false.
bool ParseSrecRecord(std::string_view body, SrecRecord& record, std::string& strReason);

// Appends one record with its CR LF to out, upper-case hex and a valid checksum.
void AppendSrecRecord(std::string& out, int nType, uint32_t nAddress, const uint8_t* pData,
                      int nDataLen);
