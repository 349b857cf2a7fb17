#include "cli/Terminal.h"

#include <unistd.h>

bool IsErrorStreamTerminal() {
    return isatty(STDERR_FILENO) == 1;
}

// The terminal's own character set is the user's (UTF-8 nearly everywhere);
// nothing to change.
CTerminalText::CTerminalText() = default;
CTerminalText::~CTerminalText() = default;
