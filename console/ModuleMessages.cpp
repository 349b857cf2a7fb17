#include "console/ModuleMessages.h"

const char* const ModuleMessages[8] = {
    "There appears to be no application code present on this module.  ZEK Upgrader can "
    "proceed and install new software but it cannot check if the programming cable is "
    "connected to the Controller module.  Please verify that the programming cable is "
    "connected to the Controller module and click on OK to continue, otherwise click on "
    "Cancel to abort the upgrade.",
    "There appears to be no application code present on this module.  ZEK Upgrader can "
    "proceed and install new software but it cannot check if the programming cable is "
    "connected to the Transceiver module.  Please verify that the programming cable is "
    "connected to the Transceiver module and click on OK to continue, otherwise click on "
    "Cancel to abort the upgrade.",
    "Cable possibly plugged into Controller Module.  Ensure cable is plugged into Transceiver "
    "Module.",
    "Cable possibly plugged into Transceiver Module.  Ensure cable is plugged into Controller "
    "Module.",
    "Cable not plugged into an IP-Enabled Controller.",
    "Cable possibly plugged into Transceiver Module.  Ensure cable is plugged into an "
    "IP-Enabled Controller Module.",
    "Cable possibly plugged into an IP-Enabled Controller.",
    "Cable possibly plugged into an IP-Enabled Controller. Ensure cable is plugged into "
    "Transceiver Module.",
};
