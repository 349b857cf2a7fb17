#include "line/SComDoc.h"

namespace {
// Passwords never reach the diagnostics: every character but the closing
// carriage return shows as '*'.
std::string Masked(std::string_view text) {
    std::string strMasked(text.size(), '*');
    if (!text.empty() && text.back() == '\r')
        strMasked.back() = '\r';
    return strMasked;
}
} // namespace

int CSComDoc::ReadCommData(uint8_t* pBuffer, int32_t nCapacity) {
    if (!m_bConnected || m_nLineLost || nCapacity <= 0)
        return 0;
    int nLoss = 0;
    const int32_t nRead = m_port.Read(pBuffer, nCapacity, nLoss);
    if (nLoss)
        m_nLineLost = nLoss;
    if (nRead <= 0)
        return 0;
    if (m_pObserver)
        m_pObserver->OnLineReceived(
            std::string_view(reinterpret_cast<const char*>(pBuffer), static_cast<size_t>(nRead)));
    return nRead;
}

int CSComDoc::WriteCommByte(uint8_t byte) {
    if (!m_bConnected || m_nLineLost)
        return 0;
    if ((m_nLineLost = m_port.Write(&byte, 1)) != 0)
        return 0;
    if (m_pObserver)
        m_pObserver->OnLineSent(std::string_view(reinterpret_cast<const char*>(&byte), 1), false);
    return 1;
}

int CSComDoc::WriteCommString(const char* psz, bool bMaskTrace) {
    if (!m_bConnected || m_nLineLost)
        return 0;
    const std::string_view text = psz ? std::string_view(psz) : std::string_view();
    if ((m_nLineLost = m_port.Write(reinterpret_cast<const uint8_t*>(text.data()), text.size())))
        return 0;
    Trace(text, bMaskTrace);
    if (m_pObserver)
        m_pObserver->OnLineSent(text, bMaskTrace);
    return 1;
}

void CSComDoc::Trace(std::string_view text, bool bMask) {
    if (!m_trace)
        return;
    m_trace("CSComDoc::WriteCommString(): ");
    m_trace(bMask ? std::string_view(Masked(text)) : text);
    m_trace("\n");
}
