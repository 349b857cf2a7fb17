#pragma once

#include <string>

#include "upgrade/ip/IpState.h"

// What the IP run keeps from one run to the next (the dialog holds it).
struct CIpMemory {
    // The operating system's root password as last confirmed, with its "\r".
    std::string SavedIpPassword;
    // Where the image in hand stands in its sequence.
    FlashSequenceStep FlashStep = FlashSequenceStep::LoadImage;
};
