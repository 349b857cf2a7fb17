#pragma once

#include "firmware/ImageCursor.h"

// What a variant of the console program changes: where images are found
// (empty: the embedded ones) and how much faster the run's sleeps go.
struct ConsoleHooks {
    ImageLookup findImage;
    int nTimeScale = 1;
};

// The console program: parses the command line, runs one upgrade through
// the dialog on a terminal window and returns the exit code.
int RunConsole(int argc, char* argv[], const ConsoleHooks& hooks);
