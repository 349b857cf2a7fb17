#pragma once

#include <cstdint>
#include <string>

#include "console/ModuleKind.h"
#include "console/PromptMatcher.h"
#include "console/Receiver.h"
#include "console/RunContext.h"
#include "upgrade/legacy/LegacyMemory.h"
#include "upgrade/legacy/LegacyState.h"

// One upgrade of a Transceiver or Controller module: the console log-in and
// the command into the boot loader, the boot loader's log-in, the switch to
// the chosen rate, the merge-file upload, the flash write, the reboot and the
// verdict. Created for each run; what outlives the run is the dialog's
// (memory, matcher, send position, received chunk).
class CLegacyRun {
public:
    CLegacyRun(const CRunContext& ctx, CLegacyMemory& memory, PromptMatcher& matcher,
               ModuleKind kind);

    // The whole run (RunLegacyUpgrade): the port is open at 9600 and woken;
    // returns when the run is over, the port closed unless the operator quit.
    // A run begins at the console log-in (a test may begin it further on).
    void Run(LegacyUpgradeState first = ConsoleLogin);
    // One pass's step of a state; returns the next state.
    LegacyUpgradeState Step(LegacyUpgradeState state);

    // State 0: one chunk of the console's text answered.
    LegacyUpgradeState LegacyLoginStep();
    // Commands the boot loader to the rate of the list's text and reopens the line at it.
    void SetBootloaderBaud(const std::string& strText);
    // One S-record line of the image per call: SendImage, or AwaitFlashWrite
    // once the image is finished or the module reported a failure.
    LegacyUpgradeState SendMergeLine();

    LegacyUpgradeState State() const { return m_state; }
    bool RebootAttempted() const { return m_bRebootAttempted; }
    const CReceiver& Receiver() const { return m_receiver; }

private:
    // The console log-in's answers (LegacyLogin.cpp).
    LegacyUpgradeState OnControllerConsole();
    LegacyUpgradeState OnTransceiverConsole();
    LegacyUpgradeState OnBootloaderMenu();
    void OnLoginRejected();
    void Answer(const std::string& strText, bool bMask, const char* pszStatus);
    LegacyUpgradeState OnIpControllerPrompt();
    LegacyUpgradeState OnNothingRecognised();
    LegacyUpgradeState EndRun();

    // States 1 to 8 (BootloaderStates.cpp).
    LegacyUpgradeState AwaitBootloaderStep();
    LegacyUpgradeState BootLoginStep(LegacyUpgradeState stay);
    LegacyUpgradeState BootPasswordStep();
    LegacyUpgradeState BootMenuStep();
    LegacyUpgradeState BaudSelectStep();
    LegacyUpgradeState BaudConfirmStep();
    LegacyUpgradeState MergeMenuStep();
    LegacyUpgradeState AwaitSrecInputStep();

    // States 9 to 12 (UploadStates.cpp).
    LegacyUpgradeState SendImageStep();
    LegacyUpgradeState AwaitFlashWriteStep();
    LegacyUpgradeState RebootModuleStep();
    LegacyUpgradeState FinishStep();
    bool FailureReported();
    const char* RebootStatus(bool bFinal) const;

    // Whether this pass's chunk completes the prompt, through the shared matcher.
    template <int32_t N> bool Seen(const char (&literal)[N]) {
        return MatchPrompt(m_matcher, m_rx.Data(), m_rx.m_nRxCount, literal);
    }
    void SendLetter(char cLetter);
    void Choose(char cLetter, const char* pszStatus, const char* pszThen);
    void ShowError(const char* pszText);

    CSComDoc& m_line;
    CWindowLayer& m_window;
    CRunDialog& m_dialog;
    CImageCursor& m_image;
    CReceivedChunk& m_rx;
    CLegacyMemory& m_memory;
    PromptMatcher& m_matcher;
    const ModuleKind m_nModuleKind;
    CReceiver m_receiver;
    LegacyUpgradeState m_state = ConsoleLogin;
    bool m_bStop = false;
    bool m_bRebootAttempted = false; // a reboot out of the boot loader menu was tried
    size_t m_nFailureMatched = 0;    // "FAILURE" seen so far while the flash is written
    std::string m_strProgress;       // the progress text, rebuilt in place per line
};
