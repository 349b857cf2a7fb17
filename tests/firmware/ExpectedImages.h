#pragma once

#include <cstdint>
#include <ostream>
#include <utility>
#include <vector>

// The package's figures for each image, as the upgrader and a module see them.
using Blocks = std::vector<std::pair<uint32_t, uint32_t>>;

struct ExpectedImage {
    const char* pszName;
    int32_t nSize;
    const char* pszProgressAtLoad;
    int32_t nLines;
    int64_t nDataBytes;
    int nDataType;
    int nTerminatorType;
    int nRecordBytes;     // data bytes of a full record
    int nLastRecordBytes; // IP images: the last record's data bytes
    int32_t nLongestLine;
    Blocks blocks;
};

// Test names and messages show the image by its name.
inline void PrintTo(const ExpectedImage& image, std::ostream* os) {
    *os << image.pszName;
}

inline const ExpectedImage kImages[] = {
    {"SREC_TRAN",
     1716178,
     "Uploading 0 of 1675 kilobytes",
     30652,
     612865,
     3,
     7,
     20,
     0,
     56,
     {{0x02820000, 0x0285D393},
      {0x02860000, 0x02864A32},
      {0x02880000, 0x028814B5},
      {0x028C0000, 0x028C939B},
      {0x028CA6B8, 0x028CA857},
      {0x028D0000, 0x028D0C7F},
      {0x02900000, 0x02948427},
      {0x02969D40, 0x02969EDF}}},
    {"SREC_ADI_CTRL",
     835808,
     "Uploading 0 of 816 kilobytes",
     14931,
     298448,
     3,
     7,
     20,
     0,
     56,
     {{0x02808002, 0x02808003},
      {0x02820000, 0x028480C7},
      {0x02860000, 0x02864A32},
      {0x02880000, 0x02884A32},
      {0x028C0000, 0x028C0C5F},
      {0x028D0000, 0x028D0C7F},
      {0x02900000, 0x02915E1F},
      {0x02920E78, 0x02921017}}},
    {"SREC_UBOOT",
     380774,
     "Uploading 0 of 371 kilobytes",
     8279,
     132424,
     2,
     8,
     16,
     8,
     46,
     {{0, 0x20547}}},
    {"SREC_KERNEL",
     1510386,
     "Uploading 0 of 1474 kilobytes",
     32836,
     525332,
     2,
     8,
     16,
     4,
     46,
     {{0, 0x80413}}},
    {"SREC_FILESYSTEM",
     5840974,
     "Uploading 0 of 5704 kilobytes",
     126978,
     2031602,
     2,
     8,
     16,
     2,
     92,
     {{0, 0x1EFFF1}}},
};
