#include "ImageFacts.h"

#include <algorithm>

#include "tools/SrecRecord.h"

namespace {

void AddType(ImageFacts& facts, int nType) {
    if (std::find(facts.types.begin(), facts.types.end(), nType) == facts.types.end())
        facts.types.push_back(nType);
}

void AddData(ImageFacts& facts, const SrecRecord& record, uint32_t& nNext,
             std::vector<std::pair<uint32_t, uint32_t>>& runs) {
    ++facts.nDataRecords;
    facts.nDataBytes += record.nDataLen;
    ++facts.recordSizes[record.nDataLen];
    facts.nLastRecordSize = record.nDataLen;
    if (facts.nDataRecords > 1 && record.nAddress < nNext)
        facts.bAscending = false;
    nNext = record.nAddress + record.nDataLen;
    runs.push_back({record.nAddress, record.nAddress + record.nDataLen - 1});
    if (facts.binary.size() == record.nAddress)
        facts.binary.insert(facts.binary.end(), record.data, record.data + record.nDataLen);
}

std::vector<std::pair<uint32_t, uint32_t>>
MergeRuns(std::vector<std::pair<uint32_t, uint32_t>> runs) {
    std::sort(runs.begin(), runs.end());
    std::vector<std::pair<uint32_t, uint32_t>> blocks;
    for (const auto& run : runs) {
        if (!blocks.empty() && run.first == blocks.back().second + 1)
            blocks.back().second = std::max(blocks.back().second, run.second);
        else
            blocks.push_back(run);
    }
    return blocks;
}

} // namespace

ImageFacts MeasureImage(std::string_view text) {
    ImageFacts facts;
    std::vector<std::pair<uint32_t, uint32_t>> runs;
    uint32_t nNext = 0;
    SrecRecord record;
    std::string strReason;
    size_t nPos = 0;
    while (nPos < text.size()) {
        size_t nEnd = text.find('\n', nPos);
        nEnd = nEnd == std::string_view::npos ? text.size() : nEnd + 1;
        std::string_view line = text.substr(nPos, nEnd - nPos);
        nPos = nEnd;
        ++facts.nLines;
        facts.nLongestLine =
            std::max<int32_t>(facts.nLongestLine, static_cast<int32_t>(line.size()));
        if (line.size() < 2 ||
            !ParseSrecRecord(line.substr(0, line.size() - 2), record, strReason)) {
            facts.bAllParsed = false;
            continue;
        }
        AddType(facts, record.nType);
        if (record.nType == 0)
            facts.header.assign(record.data, record.data + record.nDataLen);
        else if (record.nType <= 3)
            AddData(facts, record, nNext, runs);
        else {
            facts.nTerminatorType = record.nType;
            facts.nStartAddress = record.nAddress;
        }
    }
    facts.blocks = MergeRuns(std::move(runs));
    return facts;
}
