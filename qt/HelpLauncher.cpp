#include "qt/HelpLauncher.h"

#include <QDesktopServices>
#include <QDir>
#include <QFileInfo>

QStringList HelpPageCandidates(const QString& strExecutableDir) {
    const QDir dir(strExecutableDir);
    return {dir.filePath("help.html"),
            QDir::cleanPath(dir.filePath(QStringLiteral(KTR84_HELP_RELDIR "/help.html"))),
            QStringLiteral(KTR84_HELP_INSTALLDIR "/help.html")};
}

QString FindHelpPage(const QString& strExecutableDir) {
    for (const QString& strPath : HelpPageCandidates(strExecutableDir))
        if (QFileInfo(strPath).isFile())
            return strPath;
    return {};
}

bool LaunchHelp(const QString& strExecutableDir, const std::function<bool(const QUrl&)>& open) {
    const QString strPage = FindHelpPage(strExecutableDir);
    if (strPage.isEmpty())
        return false;
    const QUrl url = QUrl::fromLocalFile(strPage);
    return open ? open(url) : QDesktopServices::openUrl(url);
}
