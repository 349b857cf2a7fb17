#pragma once

// The operator's stop while the program runs (SIGINT and SIGTERM; Ctrl-C on a
// Windows console): the first one is only noted (the run asks with
// Requested() between its passes and stops, releasing the port); a second
// one ends the program at once with kExitStopped, and so do Ctrl-Break and
// closing the console window on Windows. Installed for the object's life;
// one object at a time.
class CStopSignals {
public:
    CStopSignals();
    ~CStopSignals();
    CStopSignals(const CStopSignals&) = delete;
    CStopSignals& operator=(const CStopSignals&) = delete;

    static bool Requested();
};
