#pragma once

#include "sim/ModuleSim.h"

#include <cstdio>
#include <mutex>
#include <string>
#include <vector>

// What the module received, command by command, with the time and the rate
// in force; optionally mirrored into a file as it happens.
class CSimTranscript {
public:
    explicit CSimTranscript(const std::string& strFile);
    ~CSimTranscript();
    CSimTranscript(const CSimTranscript&) = delete;
    CSimTranscript& operator=(const CSimTranscript&) = delete;

    void Add(int64_t nMs, int32_t nBaud, const std::string& strCommand,
             const std::string& strPrompt = {});
    std::vector<SimTranscriptEntry> Entries() const;

private:
    mutable std::mutex m_mutex;
    std::vector<SimTranscriptEntry> m_entries;
    FILE* m_pFile = nullptr;
};

// Shows control and 8-bit bytes of a received command readably (\xNN).
std::string PrintableCommand(const std::string& strCommand);
