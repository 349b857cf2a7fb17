#include "sim/Srec.h"

namespace {

int HexValue(char c) {
    if (c >= '0' && c <= '9') {
        return c - '0';
    }
    if (c >= 'A' && c <= 'F') {
        return c - 'A' + 10;
    }
    if (c >= 'a' && c <= 'f') {
        return c - 'a' + 10;
    }
    return -1;
}

int AddressBytes(int nType) {
    static const int kBytes[10] = {2, 2, 3, 4, -1, 2, 3, 4, 3, 2};
    return kBytes[nType];
}

} // namespace

SrecParse ParseSrec(const std::string& strLine, SrecRecord& record) {
    size_t nEnd = strLine.find_last_not_of(" \t");
    if (nEnd == std::string::npos) {
        return SrecParse::Empty;
    }
    if (strLine.size() < 4 || strLine[0] != 'S' || strLine[1] < '0' || strLine[1] > '9') {
        return SrecParse::Bad;
    }
    record.nType = strLine[1] - '0';
    int nAddressBytes = AddressBytes(record.nType);
    std::vector<uint8_t> bytes;
    for (size_t i = 2; i + 1 <= nEnd; i += 2) {
        int hi = HexValue(strLine[i]);
        int lo = HexValue(strLine[i + 1]);
        if (hi < 0 || lo < 0) {
            return SrecParse::Bad;
        }
        bytes.push_back(static_cast<uint8_t>(hi * 16 + lo));
    }
    if (nAddressBytes < 0 || (nEnd + 1) % 2 != 0 || bytes.empty() ||
        bytes[0] + 1u != bytes.size() || bytes[0] < nAddressBytes + 1) {
        return SrecParse::Bad;
    }
    unsigned nSum = 0;
    for (size_t i = 0; i + 1 < bytes.size(); ++i) {
        nSum += bytes[i];
    }
    if (static_cast<uint8_t>(~nSum) != bytes.back()) {
        return SrecParse::Bad;
    }
    record.nAddress = 0;
    for (int i = 0; i < nAddressBytes; ++i) {
        record.nAddress = (record.nAddress << 8) | bytes[1 + i];
    }
    record.data.assign(bytes.begin() + 1 + nAddressBytes, bytes.end() - 1);
    return SrecParse::Record;
}
