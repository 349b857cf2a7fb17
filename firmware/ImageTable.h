#pragma once

#include <cstdint>

// One image of the IP-Enabled Controller's package with its flash region.
struct UpgradeImage {
    int32_t index;           // 0, 1, 2; -1 marks the end row
    const char* flashStart;  // eight hex digits, typed into the boot monitor as they stand
    const char* flashEnd;
    const char* resourceName;
    int32_t selected;        // 1 when the image is to be flashed
};

// Boot loader, kernel, file system, end row. The selected marks are changed in
// place and live as long as the program.
extern UpgradeImage ImageTable[4];
