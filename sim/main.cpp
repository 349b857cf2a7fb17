// ktr84-modsim: plays one KTR-84 module on a pseudo-terminal until stopped.

#include "common/SimAnnouncement.h"
#include "sim/ModuleSim.h"
#include "sim/SimArgs.h"

#include <csignal>
#include <cstdio>
#include <iostream>
#include <pthread.h>

int main(int argc, char** argv) {
    SimOptions options;
    std::string strError;
    switch (ParseSimArgs(std::vector<std::string>(argv + 1, argv + argc), options, strError)) {
    case SimArgsResult::Help:
        std::cout << SimUsage();
        return 0;
    case SimArgsResult::Error:
        std::cerr << "ktr84-modsim: " << strError << "\n\n" << SimUsage();
        return 2;
    case SimArgsResult::Run:
        break;
    }
    // The signals are taken by sigwait below, never by the simulator's threads.
    sigset_t stopSignals;
    sigemptyset(&stopSignals);
    sigaddset(&stopSignals, SIGINT);
    sigaddset(&stopSignals, SIGTERM);
    pthread_sigmask(SIG_BLOCK, &stopSignals, nullptr);

    CModuleSim sim(options);
    if (!sim.Start()) {
        std::cerr << "ktr84-modsim: cannot create a pseudo-terminal\n";
        return 1;
    }
    std::cout << sim.DevicePath() << std::endl;
    CSimAnnouncer announcer(SimModuleName(options.module), sim.DevicePath());
    if (!announcer.Announced()) {
        std::cerr << "ktr84-modsim: could not announce the line in " << SimAnnounceDir() << "\n";
    }
    int nSignal = 0;
    sigwait(&stopSignals, &nSignal);
    sim.Stop();
    return 0;
}
