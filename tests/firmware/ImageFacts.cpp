#include "ImageFacts.h"

#include <algorithm>

#include "common/Srec.h"

namespace {

void AddType(ImageFacts& facts, int nType) {
    if (std::find(facts.types.begin(), facts.types.end(), nType) == facts.types.end())
        facts.types.push_back(nType);
}

void AddData(ImageFacts& facts, const SrecRecord& record, uint32_t& nNext,
             std::vector<std::pair<uint32_t, uint32_t>>& runs) {
    const int nDataLen = static_cast<int>(record.data.size());
    ++facts.nDataRecords;
    facts.nDataBytes += nDataLen;
    ++facts.recordSizes[nDataLen];
    facts.nLastRecordSize = nDataLen;
    if (facts.nDataRecords > 1 && record.nAddress < nNext)
        facts.bAscending = false;
    nNext = record.nAddress + nDataLen;
    runs.push_back({record.nAddress, record.nAddress + nDataLen - 1});
    if (facts.binary.size() == record.nAddress)
        facts.binary.insert(facts.binary.end(), record.data.begin(), record.data.end());
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
            ParseSrec(line.substr(0, line.size() - 2), record) != SrecParse::Record) {
            facts.bAllParsed = false;
            continue;
        }
        AddType(facts, record.nType);
        if (record.nType == 0)
            facts.header = record.data;
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
