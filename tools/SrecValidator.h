#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

// Line limits of the two senders, line feed included: the legacy sender's line
// buffer holds 64 bytes, the IP sender's 128, each with its terminating NUL.
constexpr int32_t kLegacyMaxLine = 63;
constexpr int32_t kIpMaxLine = 127;

struct SrecVerdict {
    bool bOk = false;
    int32_t nLine = 0; // 1-based line of the fault; 0 when the fault is the whole file
    std::string strReason;
};

// Checks that an image can be streamed to a module as it stands: only "S", 0-9,
// A-F, CR and LF; every line a well-formed record with a valid checksum, ended
// by CR LF (the last one too) and at most nMaxLine bytes long; one S0 header
// first, data records of one type, one matching terminator last.
SrecVerdict ValidateSrecImage(const uint8_t* pData, size_t nSize, int32_t nMaxLine);
