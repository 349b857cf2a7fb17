#include "qt/AboutDlg.h"

#include <QGroupBox>
#include <QLabel>
#include <QPushButton>

#include "qt/Artwork.h"
#include "qt/DialogUnits.h"

namespace {
QLabel* AddText(QWidget* pParent, const CDialogUnits& units, const QString& strText, int nX, int nY,
                int nWidth, int nHeight) {
    auto* pLabel = new QLabel(strText, pParent);
    pLabel->setTextFormat(Qt::PlainText);
    pLabel->setGeometry(units.ToPixels(nX, nY, nWidth, nHeight));
    pLabel->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    return pLabel;
}
} // namespace

CAboutDlg::CAboutDlg(QWidget* pParent) : QDialog(pParent) {
    setWindowTitle("About ZEK upgrader");
    setWindowFlags(Qt::Dialog | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                   Qt::WindowCloseButtonHint);
    const CDialogUnits units(font());
    setFixedSize(units.ToPixels(235, 95));

    auto* pIcon = new QLabel(this);
    const QRect iconRect = units.ToPixels(7, 7, 20, 20);
    pIcon->setGeometry(iconRect.x(), iconRect.y(), 32, 32);
    pIcon->setPixmap(DrawIconPixmap(32));

    AddText(this, units, "KTR-84 Upgrader Version 3.11", 40, 10, 99, 8);
    AddText(this, units, "Free field-service tool for KTR-84 base stations", 40, 75, 162, 8);

    auto* pOk = new QPushButton("OK", this);
    pOk->setGeometry(units.ToPixels(178, 7, 50, 14));
    pOk->setDefault(true);
    connect(pOk, &QPushButton::clicked, this, &QDialog::accept);

    auto* pGroup = new QGroupBox("Contents of this Package", this);
    pGroup->setGeometry(units.ToPixels(40, 25, 185, 40));
    pGroup->lower();

    AddText(this, units, "Transceiver Release 4.74", 45, 35, 175, 8);
    AddText(this, units, "Controller Release 3.10", 45, 45, 175, 8)->hide();
    AddText(this, units, "IP Controller Release 4.3", 45, 55, 175, 8);
}

QLabel* CAboutDlg::PackageLine(const QString& strText) const {
    for (QLabel* pLabel : findChildren<QLabel*>())
        if (pLabel->text() == strText)
            return pLabel;
    return nullptr;
}
