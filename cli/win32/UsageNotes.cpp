#include "cli/UsageNotes.h"

const UsageNotes& PlatformUsageNotes() {
    static const UsageNotes kNotes = {
        "COM1..COM4, or any other COM port Windows knows,\n"
        "                        such as COM7\n",
        "%LOCALAPPDATA%\\ktr84-upgrader",
        "The first Ctrl-C stops the run after its pass (an IP module still in its boot\n"
        "monitor with its flash untouched is booted again); a second Ctrl-C, Ctrl-Break\n"
        "or closing the console window ends the program at once.\n"};
    return kNotes;
}
