#pragma once

#include <vector>

#include "record/RunListener.h"

// The program's exit codes: one per way a run ends, and one for a command
// line that was refused before any run.
inline constexpr int kExitComplete = 0;
inline constexpr int kExitBadOptions = 2;
inline constexpr int kExitStopped = 9;

int ExitCodeFor(RunOutcome outcome);

struct ExitCodeRow {
    int nCode;
    const char* pszMeaning;
};
// Every exit code with what it means, in order: for --help and the manual.
const std::vector<ExitCodeRow>& ExitCodeTable();
