#include "record/RecordFolder.h"

#include <algorithm>
#include <string>
#include <vector>

namespace fs = std::filesystem;

namespace {
struct Record {
    fs::path path;
    uintmax_t nBytes;
};

// Records are "<start time>-<module>-<port>.txt", the time as 20261208-093015.123.
bool IsRecordName(const std::string& strName) {
    return strName.size() > 20 && strName.compare(strName.size() - 4, 4, ".txt") == 0 &&
           std::all_of(strName.begin(), strName.begin() + 8,
                       [](char c) { return c >= '0' && c <= '9'; }) &&
           strName[8] == '-';
}
} // namespace

void PruneRecords(const fs::path& folder, size_t nKeep, uintmax_t nMaxBytes) {
    std::vector<Record> records;
    std::error_code ec;
    for (const auto& entry : fs::directory_iterator(folder, ec)) {
        if (!entry.is_regular_file(ec) || !IsRecordName(entry.path().filename().string()))
            continue;
        const uintmax_t nBytes = entry.file_size(ec);
        records.push_back({entry.path(), ec ? 0 : nBytes});
    }
    // Newest first.
    std::sort(records.begin(), records.end(), [](const Record& a, const Record& b) {
        return a.path.filename() > b.path.filename();
    });
    uintmax_t nTotal = 0;
    for (size_t n = 0; n < records.size(); ++n) {
        nTotal += records[n].nBytes;
        // The newest record stays, however large.
        if (n > 0 && (n >= nKeep || nTotal > nMaxBytes))
            fs::remove(records[n].path, ec);
    }
}
