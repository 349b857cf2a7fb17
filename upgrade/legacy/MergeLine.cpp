// One S-record line of the merge-file upload per call.
#include "upgrade/legacy/LegacyPauses.h"
#include "upgrade/legacy/LegacyRun.h"

using namespace legacy;

namespace {
constexpr int32_t kLineBufferSize = 64;

// Copies the line at the send cursor, without its line feed, into pszLine and
// returns its length; -1 when no line feed lies within the buffer's room or
// before the image's end (such a line is refused, never cut or overrun).
int32_t CopyNextLine(const CImageCursor& image, char (&pszLine)[kLineBufferSize]) {
    if (image.m_pSendCursor == nullptr)
        return -1;
    const int32_t nLeft = image.m_nImageSize - image.m_nBytesSent;
    const int32_t nRoom = nLeft < kLineBufferSize ? nLeft : kLineBufferSize;
    for (int32_t i = 0; i < nRoom; ++i) {
        const uint8_t byte = image.m_pSendCursor[i];
        if (byte == 10) {
            pszLine[i] = 0;
            return i;
        }
        pszLine[i] = static_cast<char>(byte);
    }
    return -1;
}
} // namespace

LegacyUpgradeState CLegacyRun::SendMergeLine() {
    if (Seen("FAILURE")) {
        m_dialog.SetStatus("Transfer failed!");
        m_memory.m_bUploadFailed = 1;
        m_window.Sleep(kAfterFailureMs);
        SendLetter('r');
        return AwaitFlashWrite;
    }
    m_image.ProgressText(m_strProgress);
    m_dialog.SetStatus(m_strProgress);
    if (m_image.m_nBytesSent >= m_image.m_nImageSize) {
        m_dialog.SetStatus("File Transfer complete");
        m_line.WriteCommString("\r\r");
        m_window.Sleep(kAfterTransferMs);
        m_dialog.SetStatus("Overwriting FLASH with new code...");
        return AwaitFlashWrite;
    }
    char szLine[kLineBufferSize];
    const int32_t nLength = CopyNextLine(m_image, szLine);
    if (nLength < 0) {
        // Nothing of a malformed line goes out, nor the end of the upload:
        // the module keeps its old software and the run ends as failed.
        m_dialog.SetStatus("Transfer failed!");
        m_memory.m_bUploadFailed = 1;
        return Finish;
    }
    // A line the vanished line refused is not sent: the loop ends the run.
    if (!m_line.WriteCommString(szLine) && m_line.LineLost())
        return SendImage;
    m_image.m_pSendCursor += nLength + 1;
    m_image.m_nBytesSent += nLength + 1;
    m_window.SetProgressPos(m_image.m_nBytesSent);
    return SendImage;
}
