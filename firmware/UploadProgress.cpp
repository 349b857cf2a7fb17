#include <charconv>

#include "app/UpgraderDlg.h"

namespace {

void AppendDecimal(std::string& str, int32_t n) {
    char digits[12];
    auto result = std::to_chars(digits, digits + sizeof digits, n);
    str.append(digits, result.ptr);
}

} // namespace

// Runs before every line sent: builds the text in place, without temporaries.
void CUpgraderDlg::ShowUploadProgress() {
    UpdateData(true);
    m_strStatus.assign("Uploading ");
    AppendDecimal(m_strStatus, m_nBytesSent / 1024);
    m_strStatus.append(" of ");
    AppendDecimal(m_strStatus, m_nImageSize / 1024);
    m_strStatus.append(" kilobytes");
    UpdateData(false);
}
