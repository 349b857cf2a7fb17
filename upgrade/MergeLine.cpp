// One S-record line of the merge-file upload per call.
#include "upgrade/LegacySteps.h"

namespace {
constexpr int32_t kLineBufferSize = 64;

// Copies the line at the send cursor, without its line feed, into pszLine and
// returns its length; -1 when no line feed lies within the buffer's room or
// before the image's end (such a line is refused, never cut or overrun).
int32_t CopyNextLine(const CUpgraderDlg& dlg, char (&pszLine)[kLineBufferSize]) {
    if (dlg.m_pSendCursor == nullptr)
        return -1;
    const int32_t nLeft = dlg.m_nImageSize - dlg.m_nBytesSent;
    const int32_t nRoom = nLeft < kLineBufferSize ? nLeft : kLineBufferSize;
    for (int32_t i = 0; i < nRoom; ++i) {
        const uint8_t byte = dlg.m_pSendCursor[i];
        if (byte == 10) {
            pszLine[i] = 0;
            return i;
        }
        pszLine[i] = static_cast<char>(byte);
    }
    return -1;
}

void ReportTransferFailed(CUpgraderDlg& dlg) {
    dlg.SetStatus("Transfer failed!");
    dlg.m_bUploadFailed = 1;
}
} // namespace

int32_t CUpgraderDlg::SendMergeLine() {
    if (legacy::Seen(*this, "FAILURE")) {
        ReportTransferFailed(*this);
        m_window.Sleep(100);
        legacy::SendLetter(*this, 'r');
        return AwaitFlashWrite;
    }
    ShowUploadProgress();
    if (m_nBytesSent >= m_nImageSize) {
        SetStatus("File Transfer complete");
        m_comm.WriteCommString("\r\r");
        m_window.Sleep(4000);
        SetStatus("Overwriting FLASH with new code...");
        return AwaitFlashWrite;
    }
    char szLine[kLineBufferSize];
    const int32_t nLength = CopyNextLine(*this, szLine);
    if (nLength < 0) {
        // Nothing of a malformed line goes out, nor the end of the upload:
        // the module keeps its old software and the run ends as failed.
        ReportTransferFailed(*this);
        return Finish;
    }
    // A line the vanished line refused is not sent: the loop ends the run.
    if (!m_comm.WriteCommString(szLine) && m_comm.LineLost())
        return SendImage;
    m_pSendCursor += nLength + 1;
    m_nBytesSent += nLength + 1;
    m_window.SetProgressPos(m_nBytesSent);
    return SendImage;
}
