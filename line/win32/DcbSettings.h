#pragma once

#include <windows.h>

#include "line/LineSettings.h"

// Writes the settings into the device-control block, changing exactly the
// fields the line sets; the rest stays as the driver reported it.
void ApplyDcbSettings(DCB& dcb, const LineSettings& settings);

// Configures the open port: its current block with the settings applied.
// False when the driver refuses it.
bool ConfigurePort(HANDLE hComm, const LineSettings& settings);
