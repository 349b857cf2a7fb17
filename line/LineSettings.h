#pragma once

#include <cstdint>
#include <termios.h>

#include "common/BaudRates.h"

// The line configuration the port object holds, in its own terms.
struct LineSettings {
    int32_t nBaud = 9600;
    int32_t nDataBits = 8; // only the low byte counts
    int32_t nParity = 0;   // 0 none, 1 even, 2 odd, 3 mark, 4 space, other: keep
    int32_t nStopBits = 0; // 0 one, 1 one and a half, 2 two, other: keep
    int32_t bRtsCts = 0;
    int32_t bXonXoff = 0;
    int32_t bDtrDsr = 0;
};

// Turns tio into a raw 8-bit line with the given settings, changing only what
// the settings name. False when the rate or the character size cannot be set.
bool ApplyLineSettings(termios& tio, const LineSettings& settings);

// Configures the open line nFd. False when the driver refuses the settings or
// does not take the rate.
bool ConfigureLine(int nFd, const LineSettings& settings);
