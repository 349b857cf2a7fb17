#pragma once

#include <cstdint>

#include "app/UpgraderDlg.h"
#include "upgrade/PromptMatcher.h"

// The state steps of the legacy run, one per state; LegacyStep dispatches on
// the run's state. Each step looks at the chunk of the current pass only.
namespace legacy {
void LegacyStep(CUpgraderDlg& dlg, RunState& run);

void AwaitBootloaderStep(CUpgraderDlg& dlg, RunState& run);
void BootLoginStep(CUpgraderDlg& dlg, RunState& run);
void BootPasswordStep(CUpgraderDlg& dlg, RunState& run);
void BootMenuStep(CUpgraderDlg& dlg, RunState& run);
void BaudSelectStep(CUpgraderDlg& dlg, RunState& run);
void BaudConfirmStep(CUpgraderDlg& dlg, RunState& run);
void MergeMenuStep(CUpgraderDlg& dlg, RunState& run);
void AwaitSrecInputStep(CUpgraderDlg& dlg, RunState& run);
void SendImageStep(CUpgraderDlg& dlg, RunState& run);
void AwaitFlashWriteStep(CUpgraderDlg& dlg, RunState& run);
void RebootModuleStep(CUpgraderDlg& dlg, RunState& run);
void FinishStep(CUpgraderDlg& dlg, RunState& run);

// A run starts with no failure seen while the module writes its flash.
void ResetFlashWriteWatch();

// Whether the chunk of this pass completes the prompt, through the shared matcher.
template <int32_t N> bool Seen(CUpgraderDlg& dlg, const char (&literal)[N]) {
    return MatchPrompt(dlg.m_pRxBuffer, dlg.m_nRxCount, literal);
}

// A menu letter or the line's CR: one byte, then CR.
inline void SendLetter(CUpgraderDlg& dlg, char cLetter) {
    dlg.m_comm.WriteCommByte(static_cast<uint8_t>(cLetter));
    dlg.m_comm.WriteCommByte(13);
}
} // namespace legacy
