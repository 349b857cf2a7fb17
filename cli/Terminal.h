#pragma once

// The terminal the program writes to.

// True when the error stream is a terminal (a console on Windows), where the
// progress is one line rewritten in place.
bool IsErrorStreamTerminal();

// For its life, the terminal shows the UTF-8 the program writes (the em dash
// of an adapter's entry, the arrow of a Windows hint): on Windows the
// console's output code page is set to UTF-8 and put back afterwards; a POSIX
// terminal takes the bytes as they are.
class CTerminalText {
public:
    CTerminalText();
    ~CTerminalText();
    CTerminalText(const CTerminalText&) = delete;
    CTerminalText& operator=(const CTerminalText&) = delete;
};
