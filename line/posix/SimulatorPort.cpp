#include "common/SimPortEntry.h"
#include "line/PortName.h"

std::string SimulatorPortOfEntry(const std::string& strEntry) {
    return SimLinkOfEntry(strEntry);
}
