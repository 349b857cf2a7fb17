#pragma once

#include <optional>
#include <string>
#include <vector>

// The upgrader window's command line, the same on every platform: --help,
// --version, and the operator's three choices (module, port, upload rate)
// preselected in the window at start. Parsing needs no window, so --help,
// --version and a bad argument are answered before any window opens.

// What the command line preselects; an empty field keeps the dialog's
// default (Transceiver, COM1, the last rate of the module's list).
struct WindowChoices {
    std::optional<int> module; // Transceiver, Controller or IpController
    std::string strPort;       // "COM2", "ttyUSB0", a simulator's link path, ...
    std::string strBaud;       // one of the module's rates, e.g. "115200"
};

enum class CommandLineAction { Run, Help, Version, Error };

struct WindowCommandLine {
    CommandLineAction action = CommandLineAction::Run;
    WindowChoices choices;
    std::string strText; // the help text, the version line or the one-line error
};

// Reads and checks the arguments (program name first). strPorts describes
// the --port values the platform takes, for the help text.
WindowCommandLine ParseWindowCommandLine(const std::vector<std::string>& arguments,
                                         const std::string& strPorts);

// The radio button of a module kind.
int ModuleRadio(int nKind);

// Whether the list entry strEntry opens the line strPort names: "/dev/ttyS1"
// is COM2, a simulator's link path its "Simulated Transceiver (4711)".
bool OpensSameLine(const std::string& strEntry, const std::string& strPort);
