#include "upgrade/PromptMatcher.h"

int32_t PromptMatcher::s_nCounter = 0;

bool PromptMatcher::Match(const uint8_t* pData, int32_t nDataLength, const char* pszPrompt,
                          int32_t nPromptSize) {
    const int32_t nLength = nPromptSize - 1;
    for (int32_t i = 0; i < nDataLength; ++i) {
        if (s_nCounter < nLength && pData[i] == static_cast<uint8_t>(pszPrompt[s_nCounter]))
            ++s_nCounter;
        else
            s_nCounter = 0;
        if (s_nCounter == nLength)
            return true;
    }
    return false;
}
