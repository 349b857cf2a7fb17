#pragma once

#include <QLoggingCategory>

// Developers' diagnostics: the logging category "ktr84.debug", off unless
// switched on (QT_LOGGING_RULES="ktr84.debug=true").
Q_DECLARE_LOGGING_CATEGORY(lcKtr84Debug)

// Routes the program's diagnostic stream (DebugOutput) into the category.
void InstallDebugCategory();
