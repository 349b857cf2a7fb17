#pragma once

#include <functional>
#include <optional>
#include <string>

// True when the program was started from a terminal it can ask on: standard
// input is a terminal (a console on Windows), not a file or a pipe, and the
// terminal itself can be opened.
bool CanAskOnTerminal();

// Asks on the terminal with echo off and reads one line. Nothing on end of
// input, a failure, or as soon as fnStop says so (checked while waiting).
// The terminal's settings are restored whatever happens.
std::optional<std::string> AskOnTerminal(const std::string& strQuestion,
                                         const std::function<bool()>& fnStop);
