// The --help text.
#include <sstream>

#include "cli/CliOptions.h"
#include "cli/ExitCodes.h"
#include "cli/UsageNotes.h"
#include "window/WindowLayer.h"

std::string CliUsage() {
    const UsageNotes& notes = PlatformUsageNotes();
    std::ostringstream out;
    out << "Usage: ktr84-upgrade --module transceiver|controller|ip --port NAME [--baud RATE]\n"
           "                     [--password-file FILE | --password-env VAR]\n"
           "                     [--on-no-app-code continue|abort]\n"
           "                     [--images all|bootloader,kernel,filesystem] [--json]\n"
           "       ktr84-upgrade --help | --version\n"
           "\n"
           "Upgrades the firmware of one KTR-84 module through a serial cable, holding the\n"
           "same dialogue with the module as the ktr84-upgrader window.\n"
           "\n"
           "Options:\n"
           "  --module KIND         transceiver, controller or ip (IP-Enabled Controller)\n"
           "  --port NAME           "
        << notes.pszPorts
        << "  --baud RATE           upload rate: 9600, 19200, 38400 or 115200; ip also\n"
           "                        57600 (default 115200)\n"
           "  --password-file FILE  answer password prompts with the first line of FILE\n"
           "  --password-env VAR    answer password prompts with the value of VAR\n"
           "  --on-no-app-code ANSWER\n"
           "                        abort (default, the safe answer: the module is left\n"
           "                        as it is) or continue when it has no application code\n"
           "  --images LIST         ip: all, or images of bootloader,kernel,filesystem to\n"
           "                        tick as in the window (the file system is always written)\n"
           "  --json                print one JSON summary object on stdout at the end\n"
           "  --help                this text\n"
           "  --version             the program's version\n"
           "\n"
           "Passwords: a module that refuses the log-in is answered with the password from\n"
           "--password-file or --password-env. Without either, the password is asked on the\n"
           "terminal with echo off (an empty answer takes the default, "
        << kDefaultPassword
        << ");\n"
           "without a terminal the default is answered, as the window's OK would. A\n"
           "password from a file, a variable or the default is given once: when the module\n"
           "asks again, the run ends as \"login failed\".\n"
           "\n"
           "Other questions are answered as the window's default button would (OK).\n"
           "Message boxes, the progress and questions go to stderr; stdout carries only the\n"
           "--json summary. Every run leaves a record in "
        << notes.pszRecordFolder << ".\n"
        << notes.pszStops << "\n"
        << "Exit codes:\n";
    for (const auto& row : ExitCodeTable())
        out << "  " << row.nCode << "  " << row.pszMeaning << "\n";
    return out.str();
}
