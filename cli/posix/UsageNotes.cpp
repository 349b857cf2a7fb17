#include "cli/UsageNotes.h"

const UsageNotes& PlatformUsageNotes() {
    static const UsageNotes kNotes = {
        "COM1..COM4 (/dev/ttyS0..3), a name under /dev such as\n"
        "                        ttyUSB0, a device path, or a simulator's entry\n"
        "                        (\"Simulated Transceiver (19937)\")\n",
        "$XDG_STATE_HOME/ktr84-upgrader",
        "The first SIGINT or SIGTERM stops the run after its pass (an IP module still in\n"
        "its boot monitor with its flash untouched is booted again); a second ends the\n"
        "program at once.\n"};
    return kNotes;
}
