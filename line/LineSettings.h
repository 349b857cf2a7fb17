#pragma once

#include <cstdint>

// The line configuration the port object holds, in its own terms; each
// platform's back end turns it into its driver's (termios, DCB).
struct LineSettings {
    int32_t nBaud = 9600;
    int32_t nDataBits = 8; // only the low byte counts
    int32_t nParity = 0;   // 0 none, 1 even, 2 odd, 3 mark, 4 space, other: keep
    int32_t nStopBits = 0; // 0 one, 1 one and a half, 2 two, other: keep
    int32_t bRtsCts = 0;
    int32_t bXonXoff = 0;
    int32_t bDtrDsr = 0;
};
