#pragma once

#include <termios.h>

#include "common/BaudRates.h"
#include "line/LineSettings.h"

// Turns tio into a raw 8-bit line with the given settings, changing only what
// the settings name. False when the rate or the character size cannot be set.
bool ApplyLineSettings(termios& tio, const LineSettings& settings);

// Configures the open line nFd. False when the driver refuses the settings or
// does not take the rate.
bool ConfigureLine(int nFd, const LineSettings& settings);
