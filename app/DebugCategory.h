#pragma once

#include <QLoggingCategory>

// Developers' diagnostics: the logging category "ktr84.debug", off unless
// switched on with QT_LOGGING_RULES="ktr84.debug.debug=true" (a rule ending in
// ".debug" names the message type, hence the doubled name).
Q_DECLARE_LOGGING_CATEGORY(lcKtr84Debug)

// Routes the program's diagnostic stream (DebugOutput) into the category.
void InstallDebugCategory();
