#pragma once

#include <chrono>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

// How a run record writes things down.

// "20261208-093015.123-Transceiver-ttyUSB0.txt": the start time (local),
// the module and the port, with anything but letters, digits, '.', '-' and
// '_' made '_' (a port may be a path).
std::string RecordFileName(std::chrono::system_clock::time_point when, const std::string& strModule,
                           const std::string& strPort);

// "2026-12-08 09:30:15.123 +0100".
std::string WallTime(std::chrono::system_clock::time_point when);

// Bytes as one line of text: printable ASCII as it stands, CR, LF, TAB and
// backslash as \r \n \t \\, anything else as \xNN.
std::string Escaped(std::string_view bytes);
// The same written at pOut, which has room for EscapedRoom(bytes.size());
// returns the end of what was written.
char* WriteEscaped(char* pOut, std::string_view bytes);
constexpr size_t EscapedRoom(size_t nBytes) {
    return 4 * nBytes + 16;
}

// "   12.345 tag   text\n".
std::string StampedLine(int64_t nMs, const char* pszTag, std::string_view text);
// The "   12.345 tag     " part alone, written at pOut, which has room for
// kStampRoom; returns its end.
constexpr size_t kStampRoom = 48;
char* WriteStamp(char* pOut, int64_t nMs, const char* pszTag);

std::string JoinWords(const std::vector<std::string>& words);
