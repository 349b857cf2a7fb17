#include "cli/Signals.h"

#include <csignal>
#include <unistd.h>

#include "cli/ExitCodes.h"

namespace {
volatile std::sig_atomic_t g_nSignals = 0;
struct sigaction g_oldInt {};
struct sigaction g_oldTerm {};

void OnStopSignal(int) {
    if (g_nSignals > 0)
        _exit(kExitStopped);
    g_nSignals = 1;
}
} // namespace

CStopSignals::CStopSignals() {
    g_nSignals = 0;
    struct sigaction action {};
    action.sa_handler = OnStopSignal;
    sigemptyset(&action.sa_mask);
    // Calls on the line go on as if nothing happened; the run looks at the
    // flag between its passes.
    action.sa_flags = SA_RESTART;
    sigaction(SIGINT, &action, &g_oldInt);
    sigaction(SIGTERM, &action, &g_oldTerm);
}

CStopSignals::~CStopSignals() {
    sigaction(SIGINT, &g_oldInt, nullptr);
    sigaction(SIGTERM, &g_oldTerm, nullptr);
}

bool CStopSignals::Requested() {
    return g_nSignals != 0;
}
