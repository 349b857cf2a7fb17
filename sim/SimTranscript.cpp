#include "sim/SimTranscript.h"

CSimTranscript::CSimTranscript(const std::string& strFile) {
    if (!strFile.empty()) {
        m_pFile = std::fopen(strFile.c_str(), "w");
    }
}

CSimTranscript::~CSimTranscript() {
    if (m_pFile != nullptr) {
        std::fclose(m_pFile);
    }
}

void CSimTranscript::Add(int64_t nMs, int32_t nBaud, const std::string& strCommand,
                         const std::string& strPrompt) {
    std::lock_guard lock(m_mutex);
    m_entries.push_back({nMs, nBaud, strCommand, strPrompt});
    if (m_pFile != nullptr) {
        std::fprintf(m_pFile, "%8lld ms %6d baud  %s%s%s\n", static_cast<long long>(nMs), nBaud,
                     strPrompt.empty() ? "" : strPrompt.c_str(), strPrompt.empty() ? "" : ": ",
                     PrintableCommand(strCommand).c_str());
        std::fflush(m_pFile);
    }
}

std::vector<SimTranscriptEntry> CSimTranscript::Entries() const {
    std::lock_guard lock(m_mutex);
    return m_entries;
}

std::string PrintableCommand(const std::string& strCommand) {
    std::string strOut;
    for (unsigned char c : strCommand) {
        if (c >= 0x20 && c < 0x7F && c != '\\') {
            strOut += static_cast<char>(c);
        } else {
            char buf[8];
            std::snprintf(buf, sizeof buf, "\\x%02X", c);
            strOut += buf;
        }
    }
    return strOut;
}
