#pragma once

// SIGINT and SIGTERM while the program runs: the first one is only noted
// (the run asks with Requested() between its passes and stops, releasing the
// port); a second one ends the program at once with kExitStopped. Installed
// for the object's life; one object at a time.
class CStopSignals {
public:
    CStopSignals();
    ~CStopSignals();
    CStopSignals(const CStopSignals&) = delete;
    CStopSignals& operator=(const CStopSignals&) = delete;

    static bool Requested();
};
