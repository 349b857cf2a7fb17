#include "app/UpgraderDlg.h"

namespace {
// 127 bytes of line with its line feed, and the NUL.
constexpr int32_t kLineBuffer = 128;
} // namespace

int32_t CUpgraderDlg::SendIpLine() {
    ShowUploadProgress();
    if (m_nBytesSent >= m_nImageSize) {
        SetStatus("File Transfer complete");
        m_comm.WriteCommString("\r\r");
        m_window.Sleep(4000);
        return 1;
    }
    // One line up to and including its line feed. A longer line goes out in
    // pieces of 127 bytes, and the copy never reads past the image's end.
    char line[kLineBuffer];
    int32_t nLength = 0;
    const int32_t nLeft = m_nImageSize - m_nBytesSent;
    while (nLength < kLineBuffer - 1 && nLength < nLeft) {
        const uint8_t byte = m_pSendCursor[nLength];
        line[nLength++] = static_cast<char>(byte);
        if (byte == 10)
            break;
    }
    line[nLength] = 0;
    // A line the vanished line refused is not sent: the loop ends the run.
    if (!m_comm.WriteCommString(line) && m_comm.LineLost())
        return 0;
    m_pSendCursor += nLength;
    m_nBytesSent += nLength;
    m_window.SetProgressPos(m_nBytesSent);
    return 0;
}
