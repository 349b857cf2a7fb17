#include "app/UpgraderDlg.h"
#include "firmware/EmbeddedImages.h"

// Points the send position at the named image. The bytes stay where the
// executable holds them; nothing is copied or released.
bool CUpgraderDlg::LoadImage(const char* pszName) {
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
