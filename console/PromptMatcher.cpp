#include "console/PromptMatcher.h"

bool PromptMatcher::Match(const uint8_t* pData, int32_t nDataLength, const char* pszPrompt,
                          int32_t nPromptSize) {
    const int32_t nLength = nPromptSize - 1;
    for (int32_t i = 0; i < nDataLength; ++i) {
        if (m_nCounter < nLength && pData[i] == static_cast<uint8_t>(pszPrompt[m_nCounter]))
            ++m_nCounter;
        else
            m_nCounter = 0;
        if (m_nCounter == nLength)
            return true;
    }
    return false;
}
