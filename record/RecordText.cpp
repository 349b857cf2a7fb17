#include "record/RecordText.h"
#include "record/LocalTime.h"

#include <algorithm>
#include <bit>
#include <cstdio>
#include <cstring>
#include <ctime>

namespace {
std::tm LocalTime(std::chrono::system_clock::time_point when) {
    return ::LocalTime(std::chrono::system_clock::to_time_t(when));
}

int Millis(std::chrono::system_clock::time_point when) {
    const auto ms =
        std::chrono::duration_cast<std::chrono::milliseconds>(when.time_since_epoch()).count();
    return static_cast<int>(ms % 1000);
}

std::string FileWord(const std::string& strText) {
    std::string strWord;
    for (char c : strText) {
        const bool bKeep = (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') ||
                           (c >= '0' && c <= '9') || c == '.' || c == '-' || c == '_';
        strWord += bKeep ? c : '_';
    }
    return strWord;
}
} // namespace

std::string RecordFileName(std::chrono::system_clock::time_point when, const std::string& strModule,
                           const std::string& strPort) {
    const std::tm tm = LocalTime(when);
    char szTime[40];
    std::strftime(szTime, sizeof szTime, "%Y%m%d-%H%M%S", &tm);
    char szMillis[8];
    std::snprintf(szMillis, sizeof szMillis, ".%03d", Millis(when));
    std::string strPort2 = strPort;
    if (strPort2.rfind("/dev/", 0) == 0)
        strPort2.erase(0, 5);
    return std::string(szTime) + szMillis + "-" + FileWord(strModule) + "-" + FileWord(strPort2) +
           ".txt";
}

std::string WallTime(std::chrono::system_clock::time_point when) {
    const std::tm tm = LocalTime(when);
    char szDate[40];
    std::strftime(szDate, sizeof szDate, "%Y-%m-%d %H:%M:%S", &tm);
    char szZone[16];
    std::strftime(szZone, sizeof szZone, "%z", &tm);
    char szMillis[8];
    std::snprintf(szMillis, sizeof szMillis, ".%03d", Millis(when));
    return std::string(szDate) + szMillis + " " + szZone;
}

namespace {
// Bytes written as they stand (printable ASCII but the backslash), and the
// letter of those written as a backslash and one letter.
struct PlainBytes {
    bool plain[256] = {};
    char letter[256] = {};
    constexpr PlainBytes() {
        for (int c = 0x20; c < 0x7f; ++c)
            plain[c] = c != '\\';
        letter[static_cast<unsigned char>('\r')] = 'r';
        letter[static_cast<unsigned char>('\n')] = 'n';
        letter[static_cast<unsigned char>('\t')] = 't';
        letter[static_cast<unsigned char>('\\')] = '\\';
    }
};
constexpr PlainBytes kPlain;

using Bytes16 = unsigned char __attribute__((vector_size(16)));

// How many of the sixteen bytes at p, from the first, need no escaping.
size_t PlainPrefix(const unsigned char* p) {
    Bytes16 v;
    std::memcpy(&v, p, sizeof v);
    const auto escape = (v < 0x20) | (v > 0x7e) | (v == '\\');
    uint64_t nLow = 0, nHigh = 0;
    std::memcpy(&nLow, &escape, 8);
    std::memcpy(&nHigh, reinterpret_cast<const char*>(&escape) + 8, 8);
    if constexpr (std::endian::native != std::endian::little) {
        size_t n = 0;
        while (n < 16 && kPlain.plain[p[n]])
            ++n;
        return n;
    }
    if (nLow != 0)
        return static_cast<size_t>(__builtin_ctzll(nLow)) / 8; // the lowest address first
    if (nHigh != 0)
        return 8 + static_cast<size_t>(__builtin_ctzll(nHigh)) / 8;
    return 16;
}

char* WriteByte(char* pOut, unsigned char c) {
    static const char kHex[] = "0123456789abcdef";
    if (kPlain.plain[c]) {
        *pOut = static_cast<char>(c);
        return pOut + 1;
    }
    pOut[0] = '\\';
    if (const char cLetter = kPlain.letter[c]) {
        pOut[1] = cLetter;
        return pOut + 2;
    }
    pOut[1] = 'x';
    pOut[2] = kHex[c >> 4];
    pOut[3] = kHex[c & 15];
    return pOut + 4;
}
} // namespace

char* WriteEscaped(char* pOut, std::string_view bytes) {
    const auto* p = reinterpret_cast<const unsigned char*>(bytes.data());
    const size_t nSize = bytes.size();
    size_t n = 0;
    // Sixteen bytes at a time, the plain ones copied at once; the room for
    // the escaped text always holds the sixteen copied (EscapedRoom).
    while (n + 16 <= nSize) {
        const size_t nPlain = PlainPrefix(p + n);
        std::memcpy(pOut, p + n, 16);
        pOut += nPlain;
        n += nPlain;
        if (nPlain < 16)
            pOut = WriteByte(pOut, p[n++]);
    }
    // The rest, fewer than sixteen, the same way from a copy padded with
    // plain bytes.
    unsigned char tail[32];
    std::memset(tail, 'a', sizeof tail);
    const size_t nLeft = nSize - n;
    if (nLeft > 0)
        std::memcpy(tail, p + n, nLeft);
    for (size_t m = 0; m < nLeft;) {
        const size_t nPlain = std::min(PlainPrefix(tail + m), nLeft - m);
        std::memcpy(pOut, tail + m, 16);
        pOut += nPlain;
        m += nPlain;
        if (m < nLeft)
            pOut = WriteByte(pOut, tail[m++]);
    }
    return pOut;
}

std::string Escaped(std::string_view bytes) {
    std::string strOut(EscapedRoom(bytes.size()), '\0');
    strOut.resize(static_cast<size_t>(WriteEscaped(strOut.data(), bytes) - strOut.data()));
    return strOut;
}

char* WriteStamp(char* pOut, int64_t nMs, const char* pszTag) {
    // "sssss.mmm tag     ": seconds right-aligned in five places (more when
    // a run goes past a day), the tag left-aligned in seven.
    const uint64_t nValue = nMs < 0 ? 0 : static_cast<uint64_t>(nMs);
    char szSeconds[20];
    char* const pEnd = szSeconds + sizeof szSeconds;
    char* p = pEnd;
    uint64_t nSeconds = nValue / 1000;
    do {
        *--p = static_cast<char>('0' + nSeconds % 10);
        nSeconds /= 10;
    } while (nSeconds > 0);
    for (ptrdiff_t nPad = 5 - (pEnd - p); nPad > 0; --nPad)
        *pOut++ = ' ';
    pOut = std::copy(p, pEnd, pOut);
    const auto nMillis = static_cast<unsigned>(nValue % 1000);
    pOut[0] = '.';
    pOut[1] = static_cast<char>('0' + nMillis / 100);
    pOut[2] = static_cast<char>('0' + nMillis / 10 % 10);
    pOut[3] = static_cast<char>('0' + nMillis % 10);
    pOut[4] = ' ';
    pOut += 5;
    size_t nTag = 0;
    for (; pszTag[nTag] != '\0' && nTag < 14; ++nTag)
        *pOut++ = pszTag[nTag];
    for (; nTag < 7; ++nTag)
        *pOut++ = ' ';
    *pOut++ = ' ';
    return pOut;
}

std::string StampedLine(int64_t nMs, const char* pszTag, std::string_view text) {
    std::string strLine(kStampRoom, ' ');
    strLine.resize(static_cast<size_t>(WriteStamp(strLine.data(), nMs, pszTag) - strLine.data()));
    strLine.append(text);
    strLine += '\n';
    return strLine;
}

std::string JoinWords(const std::vector<std::string>& words) {
    std::string strOut;
    for (const std::string& strWord : words)
        strOut += (strOut.empty() ? "" : " ") + strWord;
    return strOut;
}
