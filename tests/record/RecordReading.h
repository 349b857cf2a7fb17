#pragma once

// Reading a run record in tests: its stamped lines by tag, and what it must
// keep of an image that went out.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <sstream>
#include <string>
#include <string_view>
#include <vector>

#include "common/Crc32.h"
#include "record/RecordText.h"

inline bool Has(const std::string& strText, const std::string& strPart) {
    return strText.find(strPart) != std::string::npos;
}

// The texts of the stamped lines "  1.234 tag     text..." with that tag.
inline std::vector<std::string> Texts(const std::string& strRecord, const std::string& strTag) {
    std::vector<std::string> texts;
    std::istringstream in(strRecord);
    for (std::string strLine; std::getline(in, strLine);) {
        std::istringstream words(strLine);
        std::string strStamp, strLineTag;
        words >> strStamp >> strLineTag;
        if (strStamp.find('.') == std::string::npos || strLineTag != strTag)
            continue;
        std::string strRest;
        std::getline(words >> std::ws, strRest);
        texts.push_back(strRest);
    }
    return texts;
}

// A stamped line whose text begins with strStart.
inline bool HasLine(const std::string& strRecord, const std::string& strTag,
                    const std::string& strStart) {
    for (const std::string& strText : Texts(strRecord, strTag))
        if (strText.starts_with(strStart))
            return true;
    return false;
}

// What went out of an image, line by line.
struct SentImage {
    std::vector<std::string> lines;
    std::string Bytes() const {
        std::string strBytes;
        for (const std::string& strLine : lines)
            strBytes += strLine;
        return strBytes;
    }
};

// The IP run sends an image's text as it stands, line by line.
inline SentImage AsTheIpRunSends(std::string_view text) {
    SentImage sent;
    for (size_t n = 0; n < text.size();) {
        const size_t nEnd = std::min(text.find('\n', n), text.size() - 1) + 1;
        sent.lines.emplace_back(text.substr(n, nEnd - n));
        n = nEnd;
    }
    return sent;
}

// The legacy run sends every line without its line feed.
inline SentImage AsTheLegacyRunSends(const std::vector<std::string>& lines) {
    SentImage sent;
    for (const std::string& strLine : lines)
        sent.lines.push_back(strLine + "\r");
    return sent;
}

// The record keeps of the image its first five and last five lines, says
// where lines were left out, and sums it up in one line: lines, bytes, the
// CRC-32 of what went out.
inline void ExpectThinnedImage(const std::string& strRecord, const SentImage& sent) {
    const std::string strBytes = sent.Bytes();
    char szSummary[120];
    std::snprintf(szSummary, sizeof szSummary, "%zu lines, %zu bytes sent, CRC-32 %08x;",
                  sent.lines.size(), strBytes.size(),
                  Crc32(reinterpret_cast<const uint8_t*>(strBytes.data()), strBytes.size()));
    EXPECT_EQ(Texts(strRecord, "image").size(), 1u);
    EXPECT_TRUE(HasLine(strRecord, "image", szSummary))
        << szSummary << " not in: " << ::testing::PrintToString(Texts(strRecord, "image"));
    ASSERT_GE(sent.lines.size(), 10u);
    for (size_t n : {size_t{0}, size_t{4}, sent.lines.size() - 5, sent.lines.size() - 1})
        EXPECT_TRUE(HasLine(strRecord, "sent", Escaped(sent.lines[n]))) << "line " << n;
    EXPECT_FALSE(HasLine(strRecord, "sent", Escaped(sent.lines[5]))) << "line 5";
    EXPECT_TRUE(HasLine(strRecord, "skipped",
                        std::to_string(sent.lines.size() - 10) + " image lines left out"))
        << ::testing::PrintToString(Texts(strRecord, "skipped"));
}

// The module's echo of the image is not in the record: no received text
// holds a whole S-record line.
inline void ExpectNoEcho(const std::string& strRecord, const SentImage& sent) {
    size_t nEchoed = 0;
    for (const std::string& strText : Texts(strRecord, "recv"))
        for (size_t n = 1; n + 1 < sent.lines.size(); ++n)
            nEchoed += Has(strText, Escaped(sent.lines[n]));
    EXPECT_EQ(nEchoed, 0u);
}
