#pragma once

#include <string>
#include <vector>

#include "artwork/Canvas.h"

// A Windows icon file holding the pictures (square, up to 256 pixels) as
// 32-bit images with their transparency mask, as resource compilers take it.
std::string IcoFileBytes(const std::vector<CCanvas>& pictures);
