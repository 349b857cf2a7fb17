#pragma once

#include <cstdint>

// Finds a console prompt in the received byte stream, also when it arrives
// split over several polls. One counter serves every prompt and every caller:
// the number of prompt characters the latest bytes have matched. Deliberately
// simple: a mismatching byte resets the counter and is not compared again
// with the prompt's first character. The dialog holds the one matcher, so
// the counter lives as long as the program.
class PromptMatcher {
public:
    // nPromptSize is the prompt's character count plus one (its literal's size).
    bool Match(const uint8_t* pData, int32_t nDataLength, const char* pszPrompt,
               int32_t nPromptSize);
    int32_t Counter() const { return m_nCounter; }

private:
    int32_t m_nCounter = 0;
};

// Match against a string literal, passing its size as the prompt size.
template <int32_t N>
bool MatchPrompt(PromptMatcher& matcher, const uint8_t* pData, int32_t nDataLength,
                 const char (&literal)[N]) {
    return matcher.Match(pData, nDataLength, literal, N);
}
