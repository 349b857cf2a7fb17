// One S-record line of the RAM upload per call.
#include "upgrade/ip/IpPauses.h"
#include "upgrade/ip/IpRun.h"

using namespace ip;

namespace {
// 127 bytes of line with its line feed, and the NUL.
constexpr int32_t kLineBuffer = 128;
} // namespace

int32_t CIpRun::SendIpLine() {
    m_image.ProgressText(m_strProgress);
    m_dialog.SetStatus(m_strProgress);
    if (m_image.m_nBytesSent >= m_image.m_nImageSize) {
        m_dialog.SetStatus("File Transfer complete");
        Send("\r\r");
        m_window.Sleep(kAfterTransferMs);
        return 1;
    }
    // One line up to and including its line feed. A longer line goes out in
    // pieces of 127 bytes, and the copy never reads past the image's end.
    char line[kLineBuffer];
    int32_t nLength = 0;
    const int32_t nLeft = m_image.m_nImageSize - m_image.m_nBytesSent;
    while (nLength < kLineBuffer - 1 && nLength < nLeft) {
        const uint8_t byte = m_image.m_pSendCursor[nLength];
        line[nLength++] = static_cast<char>(byte);
        if (byte == 10)
            break;
    }
    line[nLength] = 0;
    // A line the vanished line refused is not sent: the loop ends the run.
    if (!m_line.WriteCommString(line) && m_line.LineLost())
        return 0;
    m_image.m_pSendCursor += nLength;
    m_image.m_nBytesSent += nLength;
    m_window.SetProgressPos(m_image.m_nBytesSent);
    return 0;
}
