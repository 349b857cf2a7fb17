#include "qt/QtWindow.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QContextMenuEvent>
#include <QGroupBox>
#include <QLabel>
#include <QMenu>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QStylePainter>

#include "dialog/StringTable.h"
#include "dialog/UpgraderDlg.h"
#include "qt/AboutDlg.h"
#include "qt/Artwork.h"
#include "qt/DialogUnits.h"
#include "qt/HelpLauncher.h"
#include "qt/PortList.h"

namespace {
// A drop-down list that reports when it opens and shows a long entry (a
// simulator's link path) by its end, where the names differ.
class CPortCombo : public QComboBox {
public:
    using QComboBox::QComboBox;
    std::function<void()> onPopup;

    void showPopup() override {
        if (onPopup)
            onPopup();
        QComboBox::showPopup();
    }

protected:
    void paintEvent(QPaintEvent*) override {
        QStylePainter painter(this);
        QStyleOptionComboBox option;
        initStyleOption(&option);
        const QRect textRect = style()->subControlRect(QStyle::CC_ComboBox, &option,
                                                       QStyle::SC_ComboBoxEditField, this);
        option.currentText =
            fontMetrics().elidedText(option.currentText, Qt::ElideLeft, textRect.width());
        painter.drawComplexControl(QStyle::CC_ComboBox, option);
        painter.drawControl(QStyle::CE_ComboBoxLabel, option);
    }
};

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

QString MainWindowTitle() {
    return QString("KTR-84 Upgrader ") + str::kVersion + " " + str::kDate;
}

CQtWindow::CQtWindow(QWidget* pParent) : QDialog(pParent) {
    setWindowFlags(Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                   Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint);
    setWindowIcon(ApplicationIcon());
    m_clock.start();
    m_fnPortSource = ExtraPorts;
    m_strHelpFolder = QCoreApplication::applicationDirPath();
    CreateControls();
}

CQtWindow::~CQtWindow() = default;

void CQtWindow::CreateControls() {
    const CDialogUnits units(font());
    setFixedSize(units.ToPixels(260, 242));

    // Template order, which is also the tab order.
    auto* pLogo = new QLabel(this);
    pLogo->setGeometry(units.ToPixels(3, 7, 81, 54));
    pLogo->setPixmap(DrawLogo(pLogo->size()));

    auto addRadio = [&](int nId, const char* pszText, QRect rect) {
        auto* pRadio = new QRadioButton(pszText, this);
        PlaceFitting(pRadio, rect);
        m_controls[nId] = pRadio;
    };
    addRadio(ctl::kTransceiver, "&Transceiver", units.ToPixels(93, 11, 53, 10));
    addRadio(ctl::kController, "&Controller", units.ToPixels(93, 25, 45, 10));
    addRadio(ctl::kIpController, "&IP Controller", units.ToPixels(93, 38, 54, 10));

    auto addCheck = [&](int nId, const char* pszText, QRect rect) {
        auto* pCheck = new QCheckBox(pszText, this);
        PlaceFitting(pCheck, rect);
        pCheck->setEnabled(false);
        m_controls[nId] = pCheck;
    };
    addCheck(ctl::kBootloader, "Bootloader", units.ToPixels(107, 52, 50, 10));
    addCheck(ctl::kKernel, "Kernel", units.ToPixels(107, 66, 36, 10));
    addCheck(ctl::kFilesystem, "Filesystem", units.ToPixels(107, 78, 48, 10));

    auto* pGroup = new QGroupBox("Software To be Installed", this);
    pGroup->setGeometry(units.ToPixels(3, 94, 254, 54));

    auto addText = [&](int nId, const char* pszText, QRect rect, Qt::Alignment align) {
        auto* pLabel = new QLabel(pszText, this);
        pLabel->setTextFormat(Qt::PlainText);
        pLabel->setAlignment(align);
        pLabel->setGeometry(rect);
        if (nId != 0)
            m_controls[nId] = pLabel;
        return pLabel;
    };
    addText(ctl::kDescription, "Static", units.ToPixels(6, 104, 244, 16), Qt::AlignCenter);
    addText(ctl::kDetails, "", units.ToPixels(12, 116, 238, 28), Qt::AlignHCenter | Qt::AlignTop)
        ->setWordWrap(true);
    PlaceFitting(addText(0, "Baud Rate", {}, Qt::AlignLeft | Qt::AlignTop),
                 units.ToPixels(52, 152, 34, 8));
    PlaceFitting(addText(0, "COM Port", {}, Qt::AlignLeft | Qt::AlignTop),
                 units.ToPixels(171, 152, 32, 8));

    auto addList = [&](int nId, QRect rect) {
        auto* pList = new CPortCombo(this);
        pList->setGeometry(rect.x(), rect.y(), rect.width(), pList->sizeHint().height());
        pList->setMaxVisibleItems(8);
        m_controls[nId] = pList;
        return pList;
    };
    addList(ctl::kBaudList, units.ToPixels(44, 162, 50, 68));
    addList(ctl::kComList, units.ToPixels(163, 162, 48, 50))->onPopup = [this] {
        RefreshPortList();
    };

    auto addButton = [&](int nId, const char* pszText, QRect rect) {
        auto* pButton = new QPushButton(pszText, this);
        PlaceFitting(pButton, rect);
        m_controls[nId] = pButton;
        return pButton;
    };
    addButton(ctl::kUpgrade, "&Upgrade", units.ToPixels(100, 180, 51, 14));
    addText(ctl::kStatus, "Idle", units.ToPixels(3, 200, 254, 9), Qt::AlignHCenter | Qt::AlignTop);

    auto* pProgress = new QProgressBar(this);
    pProgress->setGeometry(units.ToPixels(3, 212, 254, 14));
    pProgress->setRange(0, 100);
    pProgress->setValue(0);
    pProgress->setTextVisible(false);
    m_controls[ctl::kProgress] = pProgress;

    addButton(ctl::kOk, "&Quit", units.ToPixels(207, 7, 50, 14))->setDefault(true);
    addButton(ctl::kHelp, "&Help", units.ToPixels(207, 26, 50, 14));
    addButton(ctl::kCancel, "Cancel", units.ToPixels(207, 46, 50, 14))->hide();

    for (auto& [nId, pWidget] : m_controls)
        pWidget->setObjectName(QString("ctl%1").arg(nId));
}

void CQtWindow::ConnectHandlers() {
    using Handler = void (CUpgraderDlg::*)();
    static const std::pair<int, Handler> kClicks[] = {
        {ctl::kUpgrade, &CUpgraderDlg::OnUpgrade},
        {ctl::kTransceiver, &CUpgraderDlg::OnTransceiver},
        {ctl::kController, &CUpgraderDlg::OnController},
        {ctl::kIpController, &CUpgraderDlg::OnIpController},
        {ctl::kFilesystem, &CUpgraderDlg::OnImageCheck},
        {ctl::kBootloader, &CUpgraderDlg::OnImageCheck},
        {ctl::kKernel, &CUpgraderDlg::OnImageCheck},
    };
    for (const auto& [nId, handler] : kClicks) {
        CUpgraderDlg* pDlg = m_pDlg;
        const Handler onClick = handler;
        connect(Find<QAbstractButton>(nId), &QAbstractButton::clicked, this,
                [pDlg, onClick] { (pDlg->*onClick)(); });
    }
    connect(Find<QPushButton>(ctl::kOk), &QPushButton::clicked, this, &CQtWindow::accept);
    connect(Find<QPushButton>(ctl::kCancel), &QPushButton::clicked, this, &CQtWindow::reject);
    connect(Find<QPushButton>(ctl::kHelp), &QPushButton::clicked, this, &CQtWindow::OnHelp);
}

void CQtWindow::InitDialog(CUpgraderDlg& dlg) {
    m_pDlg = &dlg;
    ConnectHandlers();
    dlg.OnInitDialog();
    RefreshPortList();
    setWindowTitle(MainWindowTitle());
    // The focus goes to the first tab stop, the module group's checked button.
    Control(ctl::kTransceiver)->setFocus();
}

QWidget* CQtWindow::Control(int nId) const {
    auto it = m_controls.find(nId);
    return it == m_controls.end() ? nullptr : it->second;
}

template <class T> T* CQtWindow::Find(int nId) const {
    return qobject_cast<T*>(Control(nId));
}

void CQtWindow::SetPortSource(std::function<std::vector<std::string>()> fnSource) {
    m_fnPortSource = std::move(fnSource);
}

void CQtWindow::SetHelpLauncher(QString strFolder, std::function<bool(const QUrl&)> fnOpen) {
    m_strHelpFolder = std::move(strFolder);
    m_fnOpenHelp = std::move(fnOpen);
}

void CQtWindow::RefreshPortList() {
    auto* pList = Find<QComboBox>(ctl::kComList);
    const QString strSelected = pList->currentText();
    for (int i = pList->count() - 1; i >= 0; --i)
        if (std::find(kTemplatePorts.begin(), kTemplatePorts.end(),
                      pList->itemText(i).toStdString()) == kTemplatePorts.end())
            pList->removeItem(i);
    if (m_fnPortSource)
        for (const std::string& strPort : m_fnPortSource())
            pList->addItem(QString::fromStdString(strPort));
    // An entry that went away (a simulator that ended) falls back to COM1.
    const int nIndex = pList->findText(strSelected);
    pList->setCurrentIndex(nIndex >= 0 ? nIndex : 0);
    pList->setToolTip(pList->currentText());
    int nWidest = pList->width();
    for (int i = 0; i < pList->count(); ++i)
        nWidest =
            std::max(nWidest, pList->fontMetrics().horizontalAdvance(pList->itemText(i)) + 24);
    pList->view()->setMinimumWidth(nWidest);
}

QMenu* CQtWindow::CreateContextMenu() {
    auto* pMenu = new QMenu(this);
    pMenu->addAction(str::kAboutItem, this, &CQtWindow::OnAbout);
    return pMenu;
}

void CQtWindow::contextMenuEvent(QContextMenuEvent* pEvent) {
    QMenu* pMenu = CreateContextMenu();
    if (!pMenu->isEmpty())
        pMenu->exec(pEvent->globalPos());
    delete pMenu;
}

void CQtWindow::OnAbout() {
    CAboutDlg about(this);
    about.exec();
}

void CQtWindow::OnHelp() {
    // A box of the framework's: no icon of the caller's, so the exclamation.
    if (!LaunchHelp(m_strHelpFolder, m_fnOpenHelp))
        MessageBox("Failed to launch help.", "", MsgIcon::Exclamation, MsgButtons::Ok);
}

void CQtWindow::accept() {
    if (m_pDlg && !m_pDlg->OnQuitRequest()) {
        m_nQuitResult = IDOK;
        return;
    }
    if (m_pDlg)
        m_pDlg->UpdateData(true);
    done(IDOK);
}

void CQtWindow::reject() {
    if (m_pDlg && !m_pDlg->OnQuitRequest()) {
        m_nQuitResult = IDCANCEL;
        return;
    }
    done(IDCANCEL);
}
