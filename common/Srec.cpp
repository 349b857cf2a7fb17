#include "common/Srec.h"

namespace {
const char kHexDigits[] = "0123456789ABCDEF";

int HexValue(char c) {
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    return -1;
}

void AppendHexByte(std::string& out, uint8_t b) {
    out.push_back(kHexDigits[b >> 4]);
    out.push_back(kHexDigits[b & 15]);
}

SrecParse Bad(std::string* pReason, std::string strReason) {
    if (pReason)
        *pReason = std::move(strReason);
    return SrecParse::Bad;
}

// The bytes the hex digits after "Sn" spell, or a reason why they spell none.
bool DecodeBytes(std::string_view digits, std::vector<uint8_t>& bytes, std::string& strReason) {
    if (digits.size() % 2 != 0) {
        strReason = "odd number of hex digits";
        return false;
    }
    bytes.resize(digits.size() / 2);
    for (size_t i = 0; i < bytes.size(); ++i) {
        const int hi = HexValue(digits[2 * i]);
        const int lo = HexValue(digits[2 * i + 1]);
        if (hi < 0 || lo < 0) {
            strReason = "not a hex digit";
            return false;
        }
        bytes[i] = static_cast<uint8_t>(hi << 4 | lo);
    }
    return true;
}
} // namespace

int SrecAddressBytes(int nType) {
    static const int kBytes[10] = {2, 2, 3, 4, 0, 2, 3, 4, 3, 2};
    return nType >= 0 && nType <= 9 ? kBytes[nType] : 0;
}

SrecParse ParseSrec(std::string_view line, SrecRecord& record, std::string* pReason) {
    const size_t nEnd = line.find_last_not_of(" \t");
    if (nEnd == std::string_view::npos)
        return SrecParse::Empty;
    line = line.substr(0, nEnd + 1);
    if (line.size() < 4 || line[0] != 'S')
        return Bad(pReason, "not an S-record");
    const int nType = line[1] - '0';
    const int nAddressBytes = SrecAddressBytes(nType);
    if (nAddressBytes == 0)
        return Bad(pReason, "record type S" + std::string(1, line[1]) + " is not allowed");
    std::vector<uint8_t> bytes;
    std::string strReason;
    if (!DecodeBytes(line.substr(2), bytes, strReason))
        return Bad(pReason, strReason);
    const size_t nCount = bytes[0];
    if (nCount != bytes.size() - 1)
        return Bad(pReason, "byte count " + std::to_string(nCount) + " but " +
                                std::to_string(bytes.size() - 1) + " bytes follow it");
    if (nCount < static_cast<size_t>(nAddressBytes) + 1)
        return Bad(pReason, "byte count too small for the address and checksum");
    unsigned nSum = 0;
    for (size_t i = 0; i + 1 < bytes.size(); ++i)
        nSum += bytes[i];
    const uint8_t nExpected = static_cast<uint8_t>(~nSum);
    if (bytes.back() != nExpected)
        return Bad(pReason,
                   "bad checksum " + std::string(line.substr(line.size() - 2)) + ", expected " +
                       std::string{kHexDigits[nExpected >> 4], kHexDigits[nExpected & 15]});
    record.nType = nType;
    record.nAddress = 0;
    for (int i = 0; i < nAddressBytes; ++i)
        record.nAddress = record.nAddress << 8 | bytes[1 + i];
    record.data.assign(bytes.begin() + 1 + nAddressBytes, bytes.end() - 1);
    return SrecParse::Record;
}

void AppendSrecRecord(std::string& out, int nType, uint32_t nAddress, const uint8_t* pData,
                      int nDataLen) {
    const int nAddressBytes = SrecAddressBytes(nType);
    const uint8_t nCount = static_cast<uint8_t>(nAddressBytes + nDataLen + 1);
    unsigned nSum = nCount;
    out.push_back('S');
    out.push_back(static_cast<char>('0' + nType));
    AppendHexByte(out, nCount);
    for (int i = nAddressBytes - 1; i >= 0; --i) {
        const uint8_t b = static_cast<uint8_t>(nAddress >> (8 * i));
        nSum += b;
        AppendHexByte(out, b);
    }
    for (int i = 0; i < nDataLen; ++i) {
        nSum += pData[i];
        AppendHexByte(out, pData[i]);
    }
    AppendHexByte(out, static_cast<uint8_t>(~nSum));
    out += "\r\n";
}
