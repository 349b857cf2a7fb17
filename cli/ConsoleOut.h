#pragma once

#include <ostream>
#include <string>

// The error stream as the program writes it: whole lines, and on a terminal
// one line that is rewritten in place (the progress). A whole line first ends
// the line being rewritten, so nothing is written over.
class CConsoleOut {
public:
    CConsoleOut(std::ostream& out, bool bTerminal) : m_out(out), m_bTerminal(bTerminal) {}

    bool IsTerminal() const { return m_bTerminal; }
    void Line(const std::string& strText);
    // Terminals only: replaces the line being rewritten.
    void Rewrite(const std::string& strText);
    // Ends the line being rewritten, leaving it on screen.
    void EndRewrite();

private:
    std::ostream& m_out;
    bool m_bTerminal;
    size_t m_nRewriteLength = 0; // 0: no line being rewritten
};
