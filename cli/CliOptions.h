#pragma once

#include <string>
#include <vector>

#include "console/ModuleKind.h"

// Where the answer to the password prompt comes from.
enum class PasswordSource {
    Terminal, // asked on the controlling terminal, or the prompt's default without one
    Given,    // read from --password-file or --password-env
};

// The console program's command line, checked.
struct CliOptions {
    ModuleKind module = Transceiver;
    std::string strPort;
    std::string strBaud; // empty: the rate the window selects at start
    PasswordSource passwordSource = PasswordSource::Terminal;
    std::string strPassword; // PasswordSource::Given
    bool bContinueWithoutAppCode = true;
    std::vector<std::string> images; // "bootloader", "kernel", "filesystem"
    bool bJson = false;
};

enum class CliParse { Run, Help, Version, Error };

// Parses argv[1..]; on Error, strError says what was wrong. A password file
// or environment variable is read here, so a bad one ends the program before
// the port is touched.
CliParse ParseCliOptions(const std::vector<std::string>& args, CliOptions& options,
                         std::string& strError);

// The --help text: synopsis, options, password behaviour, exit codes.
std::string CliUsage();
