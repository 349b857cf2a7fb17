#pragma once

#include <string>
#include <vector>

#include "sim/ModuleSim.h"

// What a simulated module received, for failure messages:
// "[Login: field] [Passwd: 4711] [reset] ...".
inline std::string TranscriptText(const std::vector<SimTranscriptEntry>& transcript) {
    std::string out;
    for (const auto& e : transcript) {
        out.append("[");
        if (!e.strPrompt.empty())
            out.append(e.strPrompt).append(": ");
        out.append(e.strCommand).append("] ");
    }
    return out;
}
