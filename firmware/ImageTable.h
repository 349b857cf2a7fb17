#pragma once

#include <cstdint>

// One image of the IP-Enabled Controller's package with its flash region.
struct UpgradeImage {
    int32_t index;          // 0, 1, 2; -1 marks the end row
    const char* flashStart; // eight hex digits, typed into the boot monitor as they stand
    const char* flashEnd;
    const char* resourceName;
};

constexpr int kImageRows = 4;

// Boot loader, kernel, file system, end row.
extern const UpgradeImage ImageTable[kImageRows];

// The table's selected marks (1: the row's image is flashed in a run), kept
// apart from the constant rows. They live as long as the dialog.
struct CImageMarks {
    int32_t selected[kImageRows] = {};
    int32_t& Of(const UpgradeImage& row) { return selected[&row - ImageTable]; }
};
