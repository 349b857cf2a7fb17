#pragma once

#include <cstdint>
#include <map>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

// What a reader measures in an S-record image, line by line.
struct ImageFacts {
    int32_t nLines = 0;
    int32_t nLongestLine = 0; // CR LF included
    int32_t nDataRecords = 0;
    int64_t nDataBytes = 0;
    std::map<int, int> recordSizes; // data bytes per record -> records
    int nLastRecordSize = 0;
    std::vector<int> types; // distinct record types in order of appearance
    int nTerminatorType = -1;
    uint32_t nStartAddress = 0xFFFFFFFF;
    std::vector<uint8_t> header; // S0 data
    bool bAscending = true;
    bool bAllParsed = true;
    std::vector<std::pair<uint32_t, uint32_t>> blocks; // contiguous runs, first and last
    std::vector<uint8_t> binary;                       // data of a contiguous image from address 0
};

ImageFacts MeasureImage(std::string_view text);
