// The main window's twenty controls, laid out from the dialog template in
// dialog units.
#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>

#include "qt/Artwork.h"
#include "qt/DialogUnits.h"
#include "qt/PortCombo.h"
#include "qt/QtWindow.h"

namespace {
// Template rectangles are kept, but a caption that the desktop's font makes
// wider or taller than its rectangle grows to fit, so no text is clipped.
void PlaceFitting(QWidget* pWidget, QRect rect) {
    const QSize hint = pWidget->sizeHint();
    if (hint.width() > rect.width())
        rect.setWidth(hint.width());
    if (hint.height() > rect.height())
        rect.adjust(0, -(hint.height() - rect.height()) / 2, 0,
                    (hint.height() - rect.height() + 1) / 2);
    pWidget->setGeometry(rect);
}
} // namespace

void CQtWindow::CreateControls() {
    const CDialogUnits units(font());
    setFixedSize(units.ToPixels(260, 242));

    // Template order, which is also the tab order.
    auto* pLogo = new QLabel(this);
    pLogo->setGeometry(units.ToPixels(3, 7, 81, 54));
    pLogo->setPixmap(DrawLogo(pLogo->size()));
    AddButton<QRadioButton>(ctl::kTransceiver, "&Transceiver", units.ToPixels(93, 11, 53, 10));
    AddButton<QRadioButton>(ctl::kController, "&Controller", units.ToPixels(93, 25, 45, 10));
    AddButton<QRadioButton>(ctl::kIpController, "&IP Controller", units.ToPixels(93, 38, 54, 10));
    AddButton<QCheckBox>(ctl::kBootloader, "Bootloader", units.ToPixels(107, 52, 50, 10))
        ->setEnabled(false);
    AddButton<QCheckBox>(ctl::kKernel, "Kernel", units.ToPixels(107, 66, 36, 10))
        ->setEnabled(false);
    AddButton<QCheckBox>(ctl::kFilesystem, "Filesystem", units.ToPixels(107, 78, 48, 10))
        ->setEnabled(false);

    auto* pGroup = new QGroupBox("Software To be Installed", this);
    pGroup->setGeometry(units.ToPixels(3, 94, 254, 54));
    AddText(ctl::kDescription, "Static", units.ToPixels(6, 104, 244, 16), Qt::AlignCenter);
    AddText(ctl::kDetails, "", units.ToPixels(12, 116, 238, 28), Qt::AlignHCenter | Qt::AlignTop)
        ->setWordWrap(true);
    PlaceFitting(AddText(0, "Baud Rate", {}, Qt::AlignLeft | Qt::AlignTop),
                 units.ToPixels(52, 152, 34, 8));
    PlaceFitting(AddText(0, "COM Port", {}, Qt::AlignLeft | Qt::AlignTop),
                 units.ToPixels(171, 152, 32, 8));
    AddList(ctl::kBaudList, units.ToPixels(44, 162, 50, 68));
    CPortCombo* pPorts = AddList(ctl::kComList, units.ToPixels(163, 162, 48, 50));
    pPorts->onPopup = [this] { RefreshPortList(); };
    AddButton<QPushButton>(ctl::kUpgrade, "&Upgrade", units.ToPixels(100, 180, 51, 14));
    AddText(ctl::kStatus, "Idle", units.ToPixels(3, 200, 254, 9), Qt::AlignHCenter | Qt::AlignTop);
    AddProgressBar(units.ToPixels(3, 212, 254, 14));
    // A long port entry widens its list from the Upgrade button's left edge to
    // the progress bar's right one.
    pPorts->SetRoom(m_controls[ctl::kUpgrade]->geometry().left(),
                    m_controls[ctl::kProgress]->geometry().right() + 1);
    AddButton<QPushButton>(ctl::kOk, "&Quit", units.ToPixels(207, 7, 50, 14))->setDefault(true);
    AddButton<QPushButton>(ctl::kHelp, "&Help", units.ToPixels(207, 26, 50, 14));
    AddButton<QPushButton>(ctl::kCancel, "Cancel", units.ToPixels(207, 46, 50, 14))->hide();

    for (auto& [nId, pWidget] : m_controls)
        pWidget->setObjectName(QString("ctl%1").arg(nId));
}

template <class TButton> TButton* CQtWindow::AddButton(int nId, const char* pszText, QRect rect) {
    auto* pButton = new TButton(pszText, this);
    PlaceFitting(pButton, rect);
    m_controls[nId] = pButton;
    return pButton;
}

QLabel* CQtWindow::AddText(int nId, const char* pszText, QRect rect, Qt::Alignment align) {
    auto* pLabel = new QLabel(pszText, this);
    pLabel->setTextFormat(Qt::PlainText);
    pLabel->setAlignment(align);
    pLabel->setGeometry(rect);
    if (nId != 0)
        m_controls[nId] = pLabel;
    return pLabel;
}

CPortCombo* CQtWindow::AddList(int nId, QRect rect) {
    auto* pList = new CPortCombo(this);
    pList->setGeometry(rect.x(), rect.y(), rect.width(), pList->sizeHint().height());
    pList->setMaxVisibleItems(8);
    m_controls[nId] = pList;
    return pList;
}

void CQtWindow::AddProgressBar(QRect rect) {
    auto* pProgress = new QProgressBar(this);
    pProgress->setGeometry(rect);
    pProgress->setRange(0, 100);
    pProgress->setValue(0);
    // The bar carries its percentage.
    pProgress->setFormat("%p%");
    pProgress->setAlignment(Qt::AlignCenter);
    pProgress->setTextVisible(true);
    m_controls[ctl::kProgress] = pProgress;
}
