// States 9 to 12 of the legacy run: streaming, the module's flash write, the
// reboot and the verdict.
#include "upgrade/legacy/LegacyPauses.h"
#include "upgrade/legacy/LegacyRun.h"

using namespace legacy;

namespace {
constexpr char kFailure[] = "FAILURE";
} // namespace

// The module may report "FAILURE" while it writes its flash. It is watched
// for with a counter of its own, so that the "MERGE" test keeps the shared
// matcher exactly as it stands and a report split over two chunks is found.
bool CLegacyRun::FailureReported() {
    for (int32_t i = 0; i < m_rx.m_nRxCount; ++i) {
        const uint8_t byte = m_rx.Data()[i];
        if (byte == static_cast<uint8_t>(kFailure[m_nFailureMatched]))
            ++m_nFailureMatched;
        else
            m_nFailureMatched = byte == static_cast<uint8_t>(kFailure[0]) ? 1 : 0;
        if (m_nFailureMatched == sizeof(kFailure) - 1) {
            m_nFailureMatched = 0;
            return true;
        }
    }
    return false;
}

const char* CLegacyRun::RebootStatus(bool bFinal) const {
    if (m_nModuleKind == Transceiver)
        return bFinal ? "Rebooting Transceiver......" : "Rebooting Transceiver...";
    return bFinal ? "Rebooting Controller......" : "Rebooting Controller...";
}

LegacyUpgradeState CLegacyRun::SendImageStep() {
    m_window.SetProgressRange(0, m_image.m_nImageSize);
    const LegacyUpgradeState next = SendMergeLine();
    m_receiver.ClearSilence();
    // An image line that cannot be sent ends the run at once.
    return next == Finish ? FinishStep() : next;
}

LegacyUpgradeState CLegacyRun::AwaitFlashWriteStep() {
    m_receiver.ClearSilence();
    if (FailureReported())
        m_memory.m_bUploadFailed = 1;
    if (!Seen("MERGE"))
        return AwaitFlashWrite;
    Choose('r', "File Transfer Complete!", RebootStatus(false));
    return RebootModule;
}

LegacyUpgradeState CLegacyRun::RebootModuleStep() {
    SendLetter('r');
    m_dialog.SetStatus(RebootStatus(true));
    m_window.Sleep(kAfterRebootMs);
    return Finish;
}

LegacyUpgradeState CLegacyRun::FinishStep() {
    m_line.Disconnect();
    if (m_memory.m_bUploadFailed == 1) {
        m_window.MessageBox("Upload Failed!", "", MsgIcon::Stop, MsgButtons::Ok);
        m_dialog.SetStatus("Upload Failed");
    } else {
        m_window.MessageBox("Upload Complete!", "", MsgIcon::None, MsgButtons::Ok);
        m_dialog.SetStatus("Idle");
    }
    m_window.SetProgressPos(0);
    return RunOver;
}
