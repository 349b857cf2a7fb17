#pragma once

#include <QString>
#include <QStringList>
#include <QUrl>
#include <functional>

// The help page ships as help.html beside the executable (build tree) or in
// the installed data folder. Returns the first candidate that exists, or an
// empty string.
QStringList HelpPageCandidates(const QString& strExecutableDir);
QString FindHelpPage(const QString& strExecutableDir);

// Opens the help page with the desktop's viewer through open (by default
// QDesktopServices::openUrl). False when there is no page or no viewer.
bool LaunchHelp(const QString& strExecutableDir, const std::function<bool(const QUrl&)>& open = {});
