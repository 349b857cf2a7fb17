// The legacy run: a receive loop over the thirteen states of the Transceiver
// and Controller upgrade.
#include "upgrade/legacy/LegacyRun.h"

#include "upgrade/legacy/LegacyStateName.h"

CLegacyRun::CLegacyRun(const CRunContext& ctx, CLegacyMemory& memory, PromptMatcher& matcher,
                       ModuleKind kind)
    : m_line(ctx.line), m_window(ctx.window), m_dialog(ctx.dialog), m_image(ctx.image),
      m_rx(ctx.rx), m_memory(memory), m_matcher(matcher), m_nModuleKind(kind), m_receiver(ctx) {}

// One pass: poll; a silent pass waits (the streaming state runs without
// input); otherwise the module's burst is collected (the streaming state takes
// what is there), the operator's events are pumped, the state steps and the
// window is repainted.
void CLegacyRun::Run(LegacyUpgradeState first) {
    m_memory.m_bUploadFailed = 0;
    m_memory.m_nRetryCount = 0;
    m_state = first;
    m_dialog.StateEntered(LegacyStateName(m_state));
    while (!m_bStop) {
        const int32_t nRead = m_receiver.Poll();
        if (m_receiver.LineLost()) {
            m_receiver.EndWithoutConnection(false);
            return;
        }
        const bool bStreaming = m_state == SendImage;
        if (nRead == 0 && !bStreaming) {
            if (m_receiver.WaitSilently()) {
                m_receiver.EndWithoutConnection(false);
                return;
            }
            continue;
        }
        if (!bStreaming)
            m_receiver.CollectBurst();
        if (!m_dialog.PumpMessages()) {
            m_bStop = true; // the step below still runs
            m_window.PostQuit();
        }
        const LegacyUpgradeState before = m_state;
        m_state = Step(m_state);
        if (m_state != before)
            m_dialog.StateEntered(LegacyStateName(m_state));
        if (m_state == RunOver)
            m_bStop = true;
        m_window.UpdateWindow();
    }
}

LegacyUpgradeState CLegacyRun::Step(LegacyUpgradeState state) {
    switch (state) {
    case ConsoleLogin:
        return LegacyLoginStep();
    case AwaitBootloader:
        return AwaitBootloaderStep();
    case BootLogin:
        return BootLoginStep(BootLogin);
    case BootPassword:
        return BootPasswordStep();
    case BootMenu:
        return BootMenuStep();
    case BaudSelect:
        return BaudSelectStep();
    case BaudConfirm:
        return BaudConfirmStep();
    case MergeMenu:
        return MergeMenuStep();
    case AwaitSrecInput:
        return AwaitSrecInputStep();
    case SendImage:
        return SendImageStep();
    case AwaitFlashWrite:
        return AwaitFlashWriteStep();
    case RebootModule:
        return RebootModuleStep();
    case Finish:
        return FinishStep();
    default:
        return ConsoleLogin;
    }
}

void CLegacyRun::SendLetter(char cLetter) {
    m_line.WriteCommByte(static_cast<uint8_t>(cLetter));
    m_line.WriteCommByte(kCr);
}

void CLegacyRun::ShowError(const char* pszText) {
    m_window.MessageBox(pszText, "", MsgIcon::Stop, MsgButtons::Ok);
}
