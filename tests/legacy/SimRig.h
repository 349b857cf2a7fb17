#pragma once

#include <memory>
#include <string>
#include <vector>

#include "app/UpgraderDlg.h"
#include "firmware/EmbeddedImages.h"
#include "platform/ScriptedWindow.h"
#include "sim/ModuleSim.h"
#include "tests/common/ShortImages.h"
#include "upgrade/PromptMatcher.h"

// Quick module timings, so whole runs take seconds. The line is paced like a
// UART unless bPace is false: runs that stream a whole image at full speed.
inline SimOptions QuickSim(SimModule module, bool bPace = true) {
    SimOptions options;
    options.module = module;
    options.dFlashWriteSeconds = 0.2;
    options.bPaceUart = bPace;
    return options;
}

// A main dialog on the scripted window (real clock) whose COM-port list
// points at a simulated module.
struct CSimRig {
    CSimRig(const SimOptions& options, ModuleKind kind, const std::string& strBaud = "115200")
        : dlg(window) {
        PromptMatcher::SetCounterForTest(0);
        dlg.OnInitDialog();
        NewModule(options);
        Select(kind, strBaud);
    }

    // Puts a freshly powered module on a line of its own and selects that line.
    void NewModule(const SimOptions& options) {
        pSim = std::make_unique<CModuleSim>(options);
        bStarted = pSim->Start();
        window.AddListEntry(ctl::kComList, pSim->DevicePath());
        window.SetListSelection(ctl::kComList, window.GetListCount(ctl::kComList) - 1);
    }

    void Select(ModuleKind kind, const std::string& strBaud) {
        if (kind == Controller)
            dlg.OnController();
        else
            dlg.OnTransceiver();
        for (int i = 0; i < window.GetListCount(ctl::kBaudList); ++i)
            if (window.GetListEntry(ctl::kBaudList, i) == strBaud)
                window.SetListSelection(ctl::kBaudList, i);
    }

    // The run uploads short images of nLines records (on a paced line the whole
    // image would take minutes).
    void UseShortImages(size_t nLines = 200) {
        pShort = std::make_unique<CShortLegacyImages>(nLines);
        dlg.m_findImage = [this](std::string_view name) { return pShort->Find(name); };
    }
    size_t Prompts() const {
        size_t n = 0;
        for (const auto& e : window.events)
            n += e.kind == ShownEvent::Prompt;
        return n;
    }

    bool Released() {
        return dlg.m_comm.m_bConnected == 0 && !dlg.IsRunning() &&
               window.IsEnabled(ctl::kUpgrade) && window.IsEnabled(ctl::kTransceiver) &&
               window.IsEnabled(ctl::kController) && window.IsEnabled(ctl::kIpController);
    }

    std::vector<std::string> Commands() const {
        std::vector<std::string> out;
        for (const auto& e : pSim->Transcript())
            out.push_back(e.strCommand);
        return out;
    }

    std::unique_ptr<CModuleSim> pSim;
    std::unique_ptr<CShortLegacyImages> pShort;
    CScriptedWindow window;
    CUpgraderDlg dlg;
    bool bStarted = false;
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
