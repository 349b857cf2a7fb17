#pragma once

#include <cstddef>
#include <string>
#include <string_view>

// The IP run's search in what the module printed. A USB serial adapter hands
// its input over in packets, so a prompt often arrives split across two polls.
// Each poll's text is searched joined with the end of the text before it, and
// only a match that ends in the current poll's bytes counts: a split prompt is
// seen once, and a prompt already seen in an earlier poll is not seen again.
class CRxSearch {
public:
    // Enough of the previous text for the longest text looked for,
    // "Login incorrect", less its last byte.
    static constexpr size_t kTailBytes = 14;

    // Forget earlier polls (a new run).
    void Reset();
    // The text of a new poll. bCut: the poll held a NUL and its text was cut
    // there, so the next poll's bytes do not continue this text.
    void NextPoll(const std::string& strText, bool bCut);

    // strLiteral occurs and ends in the current poll's bytes.
    bool Contains(std::string_view strLiteral) const;
    // A "Login" other than the one that begins "Login incorrect", decided by
    // the current poll's bytes. A "Login" at the very end of the text that may
    // still turn into "Login incorrect" waits for the next poll.
    bool ContainsForeignLogin() const;

private:
    std::string m_strJoined; // the previous tail, then the current poll's text
    size_t m_nTail = 0;      // bytes of m_strJoined that came from earlier polls
    std::string m_strNextTail;
};
