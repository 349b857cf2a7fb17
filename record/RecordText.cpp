#include "record/RecordText.h"

#include <cstdio>
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

std::string Escaped(std::string_view bytes) {
    static const char kHex[] = "0123456789abcdef";
    std::string strOut;
    strOut.reserve(bytes.size() + 8);
    for (unsigned char c : bytes) {
        if (c == '\r')
            strOut += "\\r";
        else if (c == '\n')
            strOut += "\\n";
        else if (c == '\t')
            strOut += "\\t";
        else if (c == '\\')
            strOut += "\\\\";
        else if (c >= 0x20 && c < 0x7f)
            strOut += static_cast<char>(c);
        else {
            strOut += "\\x";
            strOut += kHex[c >> 4];
            strOut += kHex[c & 15];
        }
    }
    return strOut;
}

std::string StampedLine(int64_t nMs, const char* pszTag, std::string_view text) {
    char szStamp[48];
    std::snprintf(szStamp, sizeof szStamp, "%5lld.%03lld %-7s ", static_cast<long long>(nMs / 1000),
                  static_cast<long long>(nMs % 1000), pszTag);
    std::string strLine(szStamp);
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
