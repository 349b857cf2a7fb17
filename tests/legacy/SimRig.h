#pragma once

#include <string>
#include <vector>

#include "firmware/EmbeddedImages.h"
#include "testing/SimRig.h"

// Quick module timings, so whole runs take seconds. The line is paced like a
// UART unless bPace is false: runs that stream a whole image at full speed.
inline SimOptions QuickSim(SimModule module, bool bPace = true) {
    SimOptions options;
    options.module = module;
    options.dFlashWriteSeconds = 0.2;
    options.bPaceUart = bPace;
    return options;
}

// The dialog rig on a simulated legacy module, the kind and rate selected.
struct CLegacySimRig : CSimRig {
    CLegacySimRig(const SimOptions& options, ModuleKind kind, const std::string& strBaud = "115200")
        : CSimRig(options) {
        Select(kind, strBaud);
    }
};

// The image's lines without their CR LF.
inline std::vector<std::string> ImageLines(const char* pszName) {
    std::vector<std::string> lines;
    const EmbeddedImage* pImage = FindEmbeddedImage(pszName);
    if (pImage == nullptr)
        return lines;
    std::string strLine;
    for (int32_t i = 0; i < pImage->nSize; ++i) {
        const char c = static_cast<char>(pImage->pData[i]);
        if (c == '\n') {
            lines.push_back(strLine);
            strLine.clear();
        } else if (c != '\r')
            strLine += c;
    }
    return lines;
}

// Index of each command found in order in the transcript (from nFrom), or
// an empty vector when one is missing.
inline std::vector<size_t> FindCommands(const std::vector<SimTranscriptEntry>& transcript,
                                        const std::vector<std::string>& commands,
                                        size_t nFrom = 0) {
    std::vector<size_t> at;
    for (const auto& strCommand : commands) {
        while (nFrom < transcript.size() && transcript[nFrom].strCommand != strCommand)
            ++nFrom;
        if (nFrom == transcript.size())
            return {};
        at.push_back(nFrom++);
    }
    return at;
}
