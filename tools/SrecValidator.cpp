#include "tools/SrecValidator.h"

#include <climits>
#include <string_view>

#include "common/Srec.h"

namespace {
// Joins the parts of a verdict's text (plain appends: GCC 12 warns falsely
// on a literal added to a temporary string when it inlines at -O3).
template <class... TParts> std::string Words(const TParts&... parts) {
    std::string strText;
    ((strText += parts), ...);
    return strText;
}

bool IsAllowedByte(uint8_t b) {
    return b == 'S' || (b >= '0' && b <= '9') || (b >= 'A' && b <= 'F') || b == '\r' || b == '\n';
}

std::string ByteName(uint8_t b) {
    const char* kHex = "0123456789ABCDEF";
    std::string strName = "byte 0x";
    strName += kHex[b >> 4];
    strName += kHex[b & 15];
    if (b >= 0x20 && b < 0x7F)
        strName += std::string(" '") + static_cast<char>(b) + "'";
    return strName;
}

bool IsDataType(int nType) {
    return nType >= 1 && nType <= 3;
}
bool IsTerminatorType(int nType) {
    return nType >= 7 && nType <= 9;
}

// The terminator that belongs to a data record type: S1-S9, S2-S8, S3-S7.
int TerminatorFor(int nDataType) {
    return 10 - nDataType;
}

SrecVerdict Refuse(int32_t nLine, std::string strReason) {
    return SrecVerdict{false, nLine, std::move(strReason)};
}

// Checks the raw bytes of one line (the LF included, if any).
SrecVerdict CheckLineBytes(std::string_view line, int32_t nLine, int32_t nMaxLine) {
    for (size_t i = 0; i < line.size(); ++i) {
        uint8_t b = static_cast<uint8_t>(line[i]);
        if (!IsAllowedByte(b))
            return Refuse(nLine,
                          ByteName(b) + " at column " + std::to_string(i + 1) + " is not allowed");
    }
    if (line.back() != '\n')
        return Refuse(nLine, "the last line does not end with CR LF");
    if (line.size() < 2 || line[line.size() - 2] != '\r')
        return Refuse(nLine, "line ends with LF without CR before it");
    if (line.substr(0, line.size() - 2).find('\r') != std::string_view::npos)
        return Refuse(nLine, "CR inside the line");
    if (line.size() > static_cast<size_t>(nMaxLine))
        return Refuse(nLine, "line is " + std::to_string(line.size()) +
                                 " bytes long with its CR LF; its sender takes at most " +
                                 std::to_string(nMaxLine));
    return SrecVerdict{true, nLine, {}};
}

// Tracks the order of records: S0, data records of one type, terminator.
class CRecordOrder {
public:
    SrecVerdict Accept(int nType, int32_t nLine) {
        if (m_nTerminatorLine != 0)
            return Refuse(nLine, "record after the terminator of line " +
                                     std::to_string(m_nTerminatorLine));
        if (nLine == 1)
            return nType == 0 ? Ok(nLine) : Refuse(nLine, "the first record is not an S0 header");
        if (nType == 0)
            return Refuse(nLine, "a second S0 header");
        if (IsDataType(nType))
            return AcceptData(nType, nLine);
        if (!IsTerminatorType(nType))
            return Refuse(nLine, Words("record type S", std::to_string(nType), " is not allowed"));
        if (m_nDataType < 0)
            return Refuse(nLine, "terminator without data records");
        if (nType != TerminatorFor(m_nDataType))
            return Refuse(nLine, Words("S", std::to_string(nType), " terminator does not match S",
                                       std::to_string(m_nDataType), " data records"));
        m_nTerminatorLine = nLine;
        return Ok(nLine);
    }
    bool HasTerminator() const { return m_nTerminatorLine != 0; }

private:
    SrecVerdict AcceptData(int nType, int32_t nLine) {
        if (m_nDataType < 0) {
            m_nDataType = nType;
            m_nFirstDataLine = nLine;
        } else if (nType != m_nDataType) {
            return Refuse(nLine, Words("S", std::to_string(nType), " data record among S",
                                       std::to_string(m_nDataType), " records of line ",
                                       std::to_string(m_nFirstDataLine), " on"));
        }
        return Ok(nLine);
    }
    static SrecVerdict Ok(int32_t nLine) { return SrecVerdict{true, nLine, {}}; }

    int m_nDataType = -1;
    int32_t m_nFirstDataLine = 0;
    int32_t m_nTerminatorLine = 0;
};

} // namespace

SrecVerdict ValidateSrecImage(const uint8_t* pData, size_t nSize, int32_t nMaxLine) {
    if (nSize == 0)
        return Refuse(0, "the image is empty");
    // The send position counts bytes in 32 bits.
    if (nSize > static_cast<size_t>(INT32_MAX))
        return Refuse(0, "the image is larger than 2147483647 bytes");
    std::string_view text(reinterpret_cast<const char*>(pData), nSize);
    CRecordOrder order;
    SrecRecord record;
    std::string strReason;
    int32_t nLine = 0;
    size_t nPos = 0;
    while (nPos < text.size()) {
        ++nLine;
        size_t nEnd = text.find('\n', nPos);
        nEnd = nEnd == std::string_view::npos ? text.size() : nEnd + 1;
        std::string_view line = text.substr(nPos, nEnd - nPos);
        nPos = nEnd;
        SrecVerdict verdict = CheckLineBytes(line, nLine, nMaxLine);
        if (!verdict.bOk)
            return verdict;
        strReason = "not an S-record"; // a blank line says nothing more
        if (ParseSrec(line.substr(0, line.size() - 2), record, &strReason) != SrecParse::Record)
            return Refuse(nLine, strReason);
        verdict = order.Accept(record.nType, nLine);
        if (!verdict.bOk)
            return verdict;
    }
    if (!order.HasTerminator())
        return Refuse(nLine, "no terminator record: the image ends after this line");
    return SrecVerdict{true, 0, {}};
}
