#pragma once

#include <QDialog>

class QLabel;

// The About box: version, the package's contents, our notice line.
class CAboutDlg : public QDialog {
public:
    explicit CAboutDlg(QWidget* pParent = nullptr);

    // The package lines by their text, for callers that check what shows.
    QLabel* PackageLine(const QString& strText) const;
};
