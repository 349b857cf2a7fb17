#include "tools/SrecRecord.h"

namespace {

const char kHexDigits[] = "0123456789ABCDEF";

int HexValue(char c) {
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1;
}

void AppendHexByte(std::string& out, uint8_t b) {
    out.push_back(kHexDigits[b >> 4]);
    out.push_back(kHexDigits[b & 15]);
}

} // namespace

int SrecAddressBytes(int nType) {
    switch (nType) {
    case 0:
    case 1:
    case 9:
        return 2;
    case 2:
    case 8:
        return 3;
    case 3:
    case 7:
        return 4;
    default:
        return 0;
    }
}

bool ParseSrecRecord(std::string_view body, SrecRecord& record, std::string& strReason) {
    if (body.size() < 4 || body[0] != 'S') {
        strReason = "not an S-record";
        return false;
    }
    int nType = body[1] - '0';
    int nAddrBytes = (nType >= 0 && nType <= 9) ? SrecAddressBytes(nType) : 0;
    if (nAddrBytes == 0) {
        strReason = "record type S" + std::string(1, body[1]) + " is not allowed";
        return false;
    }
    if (body.size() % 2 != 0) {
        strReason = "odd number of hex digits";
        return false;
    }
    uint8_t bytes[256];
    size_t nBytes = (body.size() - 2) / 2;
    if (nBytes > sizeof bytes) {
        strReason = "record too long";
        return false;
    }
    for (size_t i = 0; i < nBytes; ++i) {
        int hi = HexValue(body[2 + 2 * i]);
        int lo = HexValue(body[3 + 2 * i]);
        if (hi < 0 || lo < 0) {
            strReason = "not an upper-case hex digit";
            return false;
        }
        bytes[i] = static_cast<uint8_t>(hi << 4 | lo);
    }
    size_t nCount = bytes[0];
    if (nCount != nBytes - 1) {
        strReason = "byte count " + std::to_string(nCount) + " but " + std::to_string(nBytes - 1) +
                    " bytes follow it";
        return false;
    }
    if (nCount < static_cast<size_t>(nAddrBytes) + 1) {
        strReason = "byte count too small for the address and checksum";
        return false;
    }
    unsigned nSum = 0;
    for (size_t i = 0; i < nBytes - 1; ++i)
        nSum += bytes[i];
    uint8_t nExpected = static_cast<uint8_t>(~nSum);
    if (bytes[nBytes - 1] != nExpected) {
        strReason = "bad checksum " + std::string(body.substr(body.size() - 2)) + ", expected " +
                    std::string{kHexDigits[nExpected >> 4], kHexDigits[nExpected & 15]};
        return false;
    }
    record.nType = nType;
    record.nAddress = 0;
    for (int i = 0; i < nAddrBytes; ++i)
        record.nAddress = record.nAddress << 8 | bytes[1 + i];
    record.nDataLen = static_cast<int>(nCount) - nAddrBytes - 1;
    for (int i = 0; i < record.nDataLen; ++i)
        record.data[i] = bytes[1 + nAddrBytes + i];
    return true;
}

void AppendSrecRecord(std::string& out, int nType, uint32_t nAddress, const uint8_t* pData,
                      int nDataLen) {
    int nAddrBytes = SrecAddressBytes(nType);
    uint8_t nCount = static_cast<uint8_t>(nAddrBytes + nDataLen + 1);
    unsigned nSum = nCount;
    out.push_back('S');
    out.push_back(static_cast<char>('0' + nType));
    AppendHexByte(out, nCount);
    for (int i = nAddrBytes - 1; i >= 0; --i) {
        uint8_t b = static_cast<uint8_t>(nAddress >> (8 * i));
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
