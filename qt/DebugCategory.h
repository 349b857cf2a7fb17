#pragma once

#include <QLoggingCategory>
#include <string_view>

// Developers' diagnostics: the logging category "ktr84.debug", off unless
// switched on with QT_LOGGING_RULES="ktr84.debug.debug=true" (a rule ending in
// ".debug" names the message type, hence the doubled name).
Q_DECLARE_LOGGING_CATEGORY(lcKtr84Debug)

// One piece of the diagnostics into the category (the window's DebugOutput).
void DebugTrace(std::string_view text);
