#include "cli/ExitCodes.h"

int ExitCodeFor(RunOutcome outcome) {
    switch (outcome) {
    case RunOutcome::Complete:
        return kExitComplete;
    case RunOutcome::WrongCable:
        return 3;
    case RunOutcome::LoginFailed:
        return 4;
    case RunOutcome::NoConnection:
        return 5;
    case RunOutcome::UploadFailed:
        return 6;
    case RunOutcome::Aborted:
        return 7;
    case RunOutcome::PortNotOpened:
        return 8;
    case RunOutcome::Stopped:
        return kExitStopped;
    }
    return 5; // never a success
}

const std::vector<ExitCodeRow>& ExitCodeTable() {
    static const std::vector<ExitCodeRow> kTable = {
        {0, "complete (\"Upload Complete!\")"},
        {2, "bad options (unknown option or value, missing --module or --port, unreadable "
            "password file, unset environment variable)"},
        {3, "wrong cable (the module on the cable is another kind)"},
        {4, "login failed"},
        {5, "no connection (silence, or the adapter went away)"},
        {6, "upload failed"},
        {7, "aborted by the answer to a question (--on-no-app-code abort)"},
        {8, "port could not be opened (missing, busy, no permission, settings refused)"},
        {9, "stopped by SIGINT or SIGTERM (Ctrl-C)"},
    };
    return kTable;
}
