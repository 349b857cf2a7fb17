#pragma once

#include <functional>
#include <optional>
#include <string>

// True when the program was started from a terminal it can ask on: standard
// input is a terminal and the controlling terminal opens.
bool CanAskOnTerminal();

// Asks on the controlling terminal with echo off and reads one line. Nothing
// on end of input, a failure, or as soon as fnStop says so (checked while
// waiting). The terminal's settings are restored whatever happens.
std::optional<std::string> AskOnTerminal(const std::string& strQuestion,
                                         const std::function<bool()>& fnStop);
