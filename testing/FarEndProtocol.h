#pragma once

#include <string>

// How a test program under Wine asks ktr84-farend to play the far end of its
// line: one line of text per request and per answer, over a loopback TCP
// connection whose port is in KTR84_FAREND_PORT. The first answer, unasked,
// is the COM port name the connection's line is linked as. Bytes travel as
// hexadecimal text.
//   S <hex>    send                     -> 0
//   R <ms>     receive until quiet      -> <hex>
//   A <ms>     what arrived, waiting at most so long for it -> <rate> <hex>
//   N <count>  receive so many bytes    -> <hex>
//   H          hang up                  -> 0
//   F          fill towards the far end -> <count>
//   Q          bytes queued at the line -> <count>
//   W <count>  wait until so many queued-> 1 or 0
//   B          the line's rate          -> <rate>
inline constexpr const char* kFarEndPortVariable = "KTR84_FAREND_PORT";

inline std::string HexOf(const std::string& bytes) {
    static const char kDigits[] = "0123456789ABCDEF";
    std::string out;
    out.reserve(bytes.size() * 2);
    for (unsigned char c : bytes) {
        out.push_back(kDigits[c >> 4]);
        out.push_back(kDigits[c & 15]);
    }
    return out;
}

inline std::string BytesOfHex(const std::string& hex) {
    auto value = [](char c) { return c <= '9' ? c - '0' : c - 'A' + 10; };
    std::string out;
    for (size_t i = 0; i + 1 < hex.size(); i += 2)
        out.push_back(static_cast<char>(value(hex[i]) * 16 + value(hex[i + 1])));
    return out;
}
