#pragma once

#include <QString>
#include <QStringList>
#include <optional>

#include "front/WindowCommandLine.h"

class CQtWindow;
class CUpgraderDlg;

// The upgrader's command line (front/WindowCommandLine) in Qt's terms:
// --help, --version, and the operator's three choices (module, port, upload
// rate) preselected in the window at start. Parsing needs no
// QCoreApplication, so --help, --version and a bad argument are answered
// before any display is opened.

// What the command line preselects; an empty field keeps the dialog's
// default (Transceiver, COM1, the last rate of the module's list).
struct CommandLineChoices {
    std::optional<int> module; // Transceiver, Controller or IpController
    QString strPort;           // "COM2", "ttyUSB0", a simulator's link path, ...
    QString strBaud;           // one of the module's rates, e.g. "115200"
};

struct CommandLineResult {
    CommandLineAction action = CommandLineAction::Run;
    CommandLineChoices choices;
    QString strText; // the help text, the version line or the one-line error
};

// The arguments as given, program name first, without a QCoreApplication.
QStringList ArgumentList(int argc, char* argv[]);

// Reads and checks the arguments (program name first).
CommandLineResult ParseCommandLine(const QStringList& arguments);

// Prints what a result other than Run asks for and returns the exit code:
// 0 for help and version on stdout, 2 for an error on stderr.
int AnswerCommandLine(const CommandLineResult& result);

// Makes the choices in the initialised window as an operator would: clicks
// the module's radio button, selects the rate in the rate list and the port
// in the port list. A port is the entry that opens its line (a simulator's
// link path selects the simulator's entry); a port the list does not offer is
// added to it and stays offered when the list is brought up to date. False when a choice could not
// be made (a rate the list does not hold).
bool PreselectChoices(const CommandLineChoices& choices, CQtWindow& window);
