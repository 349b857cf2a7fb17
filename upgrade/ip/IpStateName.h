#pragma once

#include <string>

#include "upgrade/ip/IpState.h"

// The state's name as records show it: "Login", or for the image sequence
// "FlashImage/" and the step ("FlashImage/SendLines").
std::string IpStateName(IpUpgradeState state, FlashSequenceStep step);
