#pragma once

#include <memory>

#include "record/RunListener.h"

// What keeps the machine from sleeping while a run has the module, on a
// platform that lets a console program ask: on Windows a listener that holds
// a sleep request from the run's start to its end; elsewhere nothing (the
// window takes logind's inhibitor, the console keeps the machine's rules).
std::unique_ptr<CRunListener> KeepAwakeDuringRuns();
