#include "cli/RunConsole.h"

#include <iostream>

#include "cli/CliOptions.h"
#include "cli/DialogChoices.h"
#include "cli/ExitCodes.h"
#include "cli/KeepAwake.h"
#include "cli/Progress.h"
#include "cli/Signals.h"
#include "cli/Summary.h"
#include "cli/Terminal.h"
#include "cli/TerminalPassword.h"
#include "cli/TerminalWindow.h"
#include "common/Version.h"
#include "dialog/UpgraderDlg.h"
#include "record/RecordFolder.h"
#include "record/RunRecorder.h"

namespace {
TerminalAsk TerminalQuestion() {
    if (!CanAskOnTerminal())
        return {};
    return [](const std::string& strQuestion) {
        return AskOnTerminal(strQuestion, [] { return CStopSignals::Requested(); });
    };
}

void PrintJson(const CSummary& summary, const std::string& strPort, int nExit,
               const std::string& strRecord) {
    RunSummary s = summary.Summary();
    if (s.strDevice.empty())
        s.strDevice = CSComDoc::DevicePath(strPort);
    std::cout << SummaryJson(s, nExit, strRecord) << std::endl;
}

// The run's listeners, around one Upgrade press.
int Upgrade(const CliOptions& options, const ConsoleHooks& hooks) {
    CStopSignals signals;
    CConsoleOut out(std::cerr, IsErrorStreamTerminal());
    CPasswordAnswer password(options.passwordSource, options.strPassword, TerminalQuestion());
    CTerminalWindow window(out, password, options.bContinueWithoutAppCode, hooks.nTimeScale);
    CUpgraderDlg dlg(window);
    dlg.OnInitDialog();
    ApplyChoices(options, dlg, window);
    if (hooks.findImage)
        dlg.m_lasting.m_image.m_findImage = hooks.findImage;

    // The first signal stops the run as a confirmed quit does; what the run
    // shows while it stops (silence running out) does not change that it was
    // stopped, unless it had already completed.
    bool bStopping = false;
    auto fnCheckStop = [&] {
        if (bStopping || !CStopSignals::Requested())
            return;
        bStopping = true;
        if (window.LastBoxText() != "Upload Complete!")
            dlg.DecideOutcome(RunOutcome::Stopped);
        dlg.RequestStop(true);
    };
    window.onWait = fnCheckStop;
    window.onPump = [&] {
        fnCheckStop();
        return !bStopping;
    };
    password.onGiveUp = [&dlg] {
        dlg.DecideOutcome(RunOutcome::LoginFailed);
        dlg.RequestStop(false);
    };

    auto fnNow = [&window] { return window.NowMs(); };
    CRunRecorder recorder(RecordFolder(), ToolVersion(), std::cerr);
    CProgress progress(out, fnNow);
    CSummary summary(fnNow);
    const std::unique_ptr<CRunListener> keepAwake = KeepAwakeDuringRuns();
    dlg.AddListener(recorder);
    dlg.AddListener(progress);
    dlg.AddListener(summary);
    if (keepAwake)
        dlg.AddListener(*keepAwake);
    dlg.OnUpgrade();

    const int nExit = ExitCodeFor(dlg.LastRunEnd().outcome);
    if (options.bJson)
        PrintJson(summary, options.strPort, nExit, recorder.Path());
    if (keepAwake)
        dlg.RemoveListener(*keepAwake);
    dlg.RemoveListener(summary);
    dlg.RemoveListener(progress);
    dlg.RemoveListener(recorder);
    return nExit;
}
} // namespace

int RunConsole(int argc, char* argv[], const ConsoleHooks& hooks) {
    CTerminalText text;
    std::vector<std::string> args(argv + (argc > 0 ? 1 : 0), argv + argc);
    CliOptions options;
    std::string strError;
    switch (ParseCliOptions(args, options, strError)) {
    case CliParse::Help:
        std::cout << CliUsage();
        return 0;
    case CliParse::Version:
        std::cout << "ktr84-upgrade " << ToolVersion() << "\n";
        return 0;
    case CliParse::Error:
        std::cerr << "ktr84-upgrade: " << strError << "\nTry 'ktr84-upgrade --help'.\n";
        return kExitBadOptions;
    case CliParse::Run:
        break;
    }
    return Upgrade(options, hooks);
}
