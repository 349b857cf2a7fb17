#include "cli/KeepAwake.h"

std::unique_ptr<CRunListener> KeepAwakeDuringRuns() {
    return nullptr;
}
