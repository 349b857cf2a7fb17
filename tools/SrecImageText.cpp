#include "tools/SrecImageText.h"

#include <algorithm>

#include "common/Srec.h"
#include "tools/PatternFill.h"

namespace {

void AppendRun(std::string& out, uint32_t nFirst, uint32_t nLast, int nPerRecord, uint64_t nSeed) {
    uint8_t data[255];
    for (uint64_t a = nFirst; a <= nLast; a += nPerRecord) {
        int n = static_cast<int>(std::min<uint64_t>(nPerRecord, nLast - a + 1));
        FillPattern(nSeed, static_cast<uint32_t>(a), data, n);
        AppendSrecRecord(out, 3, static_cast<uint32_t>(a), data, n);
    }
}

} // namespace

std::string MakeMergeImageText(const std::vector<uint8_t>& header,
                               const std::vector<SrecBlock>& blocks, int nPerRecord,
                               uint64_t nSeed) {
    std::string out;
    AppendSrecRecord(out, 0, 0, header.data(), static_cast<int>(header.size()));
    for (const SrecBlock& block : blocks) {
        if (block.nSplit > block.nFirst && block.nSplit <= block.nLast) {
            AppendRun(out, block.nFirst, block.nSplit - 1, nPerRecord, nSeed);
            AppendRun(out, block.nSplit, block.nLast, nPerRecord, nSeed);
        } else {
            AppendRun(out, block.nFirst, block.nLast, nPerRecord, nSeed);
        }
    }
    AppendSrecRecord(out, 7, 0, nullptr, 0);
    return out;
}

std::string MakeRelativeImageText(const std::string& strHeader, const std::vector<uint8_t>& bytes,
                                  int nPerRecord) {
    std::string out;
    out.reserve(bytes.size() * 2 + bytes.size() / nPerRecord * 16 + 128);
    AppendSrecRecord(out, 0, 0, reinterpret_cast<const uint8_t*>(strHeader.data()),
                     static_cast<int>(strHeader.size()));
    for (size_t a = 0; a < bytes.size(); a += nPerRecord) {
        int n = static_cast<int>(std::min<size_t>(nPerRecord, bytes.size() - a));
        AppendSrecRecord(out, 2, static_cast<uint32_t>(a), bytes.data() + a, n);
    }
    AppendSrecRecord(out, 8, 0, nullptr, 0);
    return out;
}
