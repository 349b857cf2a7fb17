#pragma once

#include "upgrade/legacy/LegacyState.h"

// The state's name as records show it ("BootMenu").
const char* LegacyStateName(LegacyUpgradeState state);
