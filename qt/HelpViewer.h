#pragma once

#include <QDialog>
#include <QString>

class QTextBrowser;

// The help page in a window of the tool's own, for when the desktop's viewer
// cannot be started or should not be (a viewer started by root). Links stay
// inside the window; nothing is handed to other programs. Not modal: the
// operator reads it while the main window goes on.
class CHelpViewer : public QDialog {
public:
    explicit CHelpViewer(QWidget* pParent = nullptr);

    void ShowPage(const QString& strPath);
    QTextBrowser* Browser() const { return m_pBrowser; }

private:
    QTextBrowser* m_pBrowser;
};
