#pragma once

#include <memory>
#include <mutex>
#include <string>
#include <vector>

#include "testing/PtyPair.h"

// The lines a far end offers one test program: pseudo-terminals linked into
// the prefix's dosdevices folder before the program starts, as the first free
// COM20, COM21, ... (free across programs run at once). Each connection takes
// the next; a link goes when its line is done, the rest by Unlink.
class CLinePool {
public:
    CLinePool(const std::string& strFolder, int nLines);

    struct Line {
        std::unique_ptr<CPtyPair> pPty;
        std::string strCom; // empty when the pool is used up
    };
    Line Take();
    void Done(const std::string& strCom);
    // Removes the links still there (the program has ended).
    void Unlink();

private:
    std::string LinkOf(const std::string& strCom) const;

    std::string m_strFolder;
    std::mutex m_mutex;
    std::vector<Line> m_lines;
    size_t m_nNext = 0;
    std::vector<std::string> m_linked;
};

// Plays the far end of one line for one connection of a test program: the
// COM name of the line is the first answer; served until the program hangs up.
void ServeFarEnd(int nSocket, CLinePool& pool);
