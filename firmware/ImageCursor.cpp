#include "firmware/ImageCursor.h"

#include <charconv>

namespace {
void AppendDecimal(std::string& str, int32_t n) {
    char digits[12];
    auto result = std::to_chars(digits, digits + sizeof digits, n);
    str.append(digits, result.ptr);
}
} // namespace

bool CImageCursor::LoadImage(const char* pszName) {
    const EmbeddedImage* pImage = pszName && m_findImage ? m_findImage(pszName) : nullptr;
    if (!pImage)
        return false;
    m_nImageSize = pImage->nSize;
    m_nBytesSent = 0;
    if (!pImage->pData)
        return false;
    m_pSendCursor = pImage->pData;
    return true;
}

void CImageCursor::ProgressText(std::string& strOut) const {
    strOut.assign("Uploading ");
    AppendDecimal(strOut, m_nBytesSent / 1024);
    strOut.append(" of ");
    AppendDecimal(strOut, m_nImageSize / 1024);
    strOut.append(" kilobytes");
}
