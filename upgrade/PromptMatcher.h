#pragma once

#include <cstdint>

// Finds a console prompt in the received byte stream, also when it arrives
// split over several polls. One counter serves every prompt and every caller
// for the life of the program: the number of prompt characters the latest
// bytes have matched. Deliberately simple: a mismatching byte resets the
// counter and is not compared again with the prompt's first character.
class PromptMatcher {
public:
    // nPromptSize is the prompt's character count plus one (its literal's size).
    static bool Match(const uint8_t* pData, int32_t nDataLength, const char* pszPrompt,
                      int32_t nPromptSize);

    static int32_t Counter() { return s_nCounter; }
    static void SetCounterForTest(int32_t nCounter) { s_nCounter = nCounter; }

private:
    static int32_t s_nCounter;
};

// Match against a string literal, passing its size as the prompt size.
template <int32_t N>
bool MatchPrompt(const uint8_t* pData, int32_t nDataLength, const char (&literal)[N]) {
    return PromptMatcher::Match(pData, nDataLength, literal, N);
}
