// The console log-in on a line paced like a UART (a program, not a test): a
// Controller whose console asks for a log-in is upgraded twice in a row with
// short images, the second time with the stored pair. Counted per run: the
// chunks the log-in step answered by prompt, the chunks it found nothing in
// (each one a text cut short: every text this console prints there holds one
// of the prompts), the password prompts shown, and what the module received
// at its prompts. A run that is still logging in after 60 answers is stopped.
//
//   login_chunks_bench [uart|usb|fragments]
#include <cstdio>
#include <cstring>
#include <map>
#include <string>

#include "dialog/UpgraderDlg.h"
#include "firmware/EmbeddedImages.h"
#include "sim/ModuleSim.h"
#include "testing/ScriptedWindow.h"

namespace {
std::string ShortImage(const char* pszName) {
    const EmbeddedImage* p = FindEmbeddedImage(pszName);
    const std::string full(reinterpret_cast<const char*>(p->pData), static_cast<size_t>(p->nSize));
    size_t nEnd = 0;
    for (int i = 0; i < 50; ++i)
        nEnd = full.find('\n', nEnd) + 1;
    return full.substr(0, nEnd) + full.substr(full.rfind('\n', full.size() - 2) + 1);
}
} // namespace

int main(int argc, char** argv) {
    const char* pszLine = argc > 1 ? argv[1] : "uart";
    SimOptions options;
    options.module = SimModule::Controller;
    options.bConsoleLoginRequired = true;
    options.strConsolePassword = "4711";
    options.dFlashWriteSeconds = 0.2;
    options.nUsbLatencyMs = std::strcmp(pszLine, "usb") == 0 ? 16 : 0;
    options.bRandomFragments = std::strcmp(pszLine, "fragments") == 0;

    const std::string strImage = ShortImage("SREC_ADI_CTRL");
    const EmbeddedImage image{"SREC_ADI_CTRL", reinterpret_cast<const uint8_t*>(strImage.data()),
                              static_cast<int32_t>(strImage.size())};
    CScriptedWindow window;
    CUpgraderDlg dlg(window);
    dlg.m_lasting.m_image.m_findImage = [&](std::string_view name) {
        return name == "SREC_ADI_CTRL" ? &image : FindEmbeddedImage(name);
    };
    dlg.OnInitDialog();
    dlg.OnController();
    window.QueuePasswordAnswer(IDOK, "4711");

    std::map<std::string, int> answers; // status of each answered log-in chunk
    int nPrompts = 0;
    window.onShown = [&](const ShownEvent& e) {
        nPrompts += e.kind == ShownEvent::Prompt;
        if (e.kind == ShownEvent::Status && e.strText.rfind("Attempting Login", 0) == 0 &&
            ++answers[e.strText] + nPrompts > 60)
            dlg.m_bQuitRequested = true;
    };
    for (int nRun = 1; nRun <= 2; ++nRun) {
        CModuleSim sim(options);
        if (!sim.Start())
            return 1;
        window.AddListEntry(ctl::kComList, sim.DevicePath());
        window.SetListSelection(ctl::kComList, window.GetListCount(ctl::kComList) - 1);
        answers.clear();
        nPrompts = 0;
        dlg.m_bQuitRequested = false;
        const size_t nBoxesBefore = window.Boxes().size();
        dlg.OnUpgrade();
        const bool bEnded = window.Boxes().size() > nBoxesBefore;
        std::map<std::string, int> received;
        for (const auto& e : sim.Transcript())
            if (!e.strPrompt.empty())
                ++received[e.strPrompt + "=" + (e.strCommand.empty() ? "CR" : e.strCommand)];
        std::printf("%s run %d: %s; log-in chunks: %d found nothing (cut short), %d Login, %d "
                    "Passwd; password prompts %d; module received:",
                    pszLine, nRun,
                    bEnded ? window.Boxes().back().strText.c_str() : "stopped after 60 answers",
                    answers["Attempting Login..."], answers["Attempting Login....."],
                    answers["Attempting Login......"], nPrompts);
        for (const auto& [strWhat, n] : received)
            std::printf(" %s x%d", strWhat.c_str(), n);
        std::printf("\n");
    }
    return 0;
}
