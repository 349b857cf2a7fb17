#include "record/RecordText.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <ctime>

namespace {
std::tm LocalTime(std::chrono::system_clock::time_point when) {
    const std::time_t t = std::chrono::system_clock::to_time_t(when);
    std::tm tm{};
    localtime_r(&t, &tm);
    return tm;
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
// Bytes written as they stand: printable ASCII but the backslash.
struct PlainBytes {
    bool plain[256] = {};
    constexpr PlainBytes() {
        for (int c = 0x20; c < 0x7f; ++c)
            plain[c] = c != '\\';
    }
};
constexpr PlainBytes kPlain;

// True when none of the eight bytes in w needs escaping: each lies in
// 0x20..0x7e and none is a backslash (the word tests are exact).
bool EightPlain(uint64_t w) {
    constexpr uint64_t kOnes = ~uint64_t{0} / 255, kHigh = kOnes * 0x80;
    const uint64_t nBelow = (w - kOnes * 0x20) & ~w & kHigh;
    const uint64_t nAbove = ((w + kOnes * (127 - 0x7e)) | w) & kHigh;
    const uint64_t nSlash = w ^ (kOnes * '\\');
    const uint64_t nSlashZero = (nSlash - kOnes) & ~nSlash & kHigh;
    return (nBelow | nAbove | nSlashZero) == 0;
}

// Where the run of bytes written as they stand, from n on, ends.
size_t PlainEnd(const unsigned char* p, size_t n, size_t nSize) {
    for (uint64_t w; n + 8 <= nSize; n += 8) {
        std::memcpy(&w, p + n, 8);
        if (!EightPlain(w))
            break;
    }
    while (n < nSize && kPlain.plain[p[n]])
        ++n;
    return n;
}
} // namespace

void AppendEscaped(std::string& strOut, std::string_view bytes) {
    static const char kHex[] = "0123456789abcdef";
    const auto* p = reinterpret_cast<const unsigned char*>(bytes.data());
    const size_t nSize = bytes.size();
    strOut.reserve(strOut.size() + nSize + 8);
    for (size_t n = 0; n < nSize;) {
        const size_t nPlain = PlainEnd(p, n, nSize);
        strOut.append(bytes.data() + n, nPlain - n);
        if (nPlain == nSize)
            return;
        const unsigned char c = p[nPlain];
        n = nPlain + 1;
        if (c == '\r')
            strOut.append("\\r", 2);
        else if (c == '\n')
            strOut.append("\\n", 2);
        else if (c == '\t')
            strOut.append("\\t", 2);
        else if (c == '\\')
            strOut.append("\\\\", 2);
        else {
            const char szHex[4] = {'\\', 'x', kHex[c >> 4], kHex[c & 15]};
            strOut.append(szHex, 4);
        }
    }
}

std::string Escaped(std::string_view bytes) {
    std::string strOut;
    strOut.reserve(bytes.size() + 8);
    AppendEscaped(strOut, bytes);
    return strOut;
}

void AppendStamp(std::string& strOut, int64_t nMs, const char* pszTag) {
    // "sssss.mmm tag     ": seconds right-aligned in five places (more when
    // a run goes past a day), the tag left-aligned in seven.
    const uint64_t nValue = nMs < 0 ? 0 : static_cast<uint64_t>(nMs);
    char szStamp[48];
    char* const pPoint = szStamp + 20;
    pPoint[0] = '.';
    pPoint[1] = static_cast<char>('0' + nValue / 100 % 10);
    pPoint[2] = static_cast<char>('0' + nValue / 10 % 10);
    pPoint[3] = static_cast<char>('0' + nValue % 10);
    char* p = pPoint;
    uint64_t nSeconds = nValue / 1000;
    do {
        *--p = static_cast<char>('0' + nSeconds % 10);
        nSeconds /= 10;
    } while (nSeconds > 0);
    while (pPoint - p < 5)
        *--p = ' ';
    char* q = pPoint + 4;
    std::memset(q, ' ', 9);
    const size_t nTag = std::min<size_t>(std::strlen(pszTag), 14);
    std::memcpy(q + 1, pszTag, nTag);
    q += nTag < 7 ? 9 : nTag + 2;
    strOut.append(p, static_cast<size_t>(q - p));
}

std::string StampedLine(int64_t nMs, const char* pszTag, std::string_view text) {
    std::string strLine;
    AppendStamp(strLine, nMs, pszTag);
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
