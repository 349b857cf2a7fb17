#include "qt/QtWindow.h"

#include <QAbstractButton>
#include <QAbstractItemView>
#include <QApplication>
#include <QComboBox>
#include <QContextMenuEvent>
#include <QDesktopServices>
#include <QMenu>
#include <QPushButton>
#include <filesystem>
#include <unistd.h>

#include "dialog/StringTable.h"
#include "dialog/UpgraderDlg.h"
#include "front/DialogClicks.h"
#include "qt/AboutDlg.h"
#include "qt/Artwork.h"
#include "qt/HelpLauncher.h"
#include "qt/HelpViewer.h"
#include "qt/PortList.h"
#include "record/RecordFolder.h"

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
    // A desktop viewer started by root would run as root.
    m_bHelpAsRoot = geteuid() == 0;
    CreateControls();
    CreateFigures();
}

CQtWindow::~CQtWindow() = default;

void CQtWindow::ConnectHandlers() {
    for (const auto& [nId, handler] : kDialogClicks) {
        CUpgraderDlg* pDlg = m_pDlg;
        const DialogClickHandler onClick = handler;
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
    pMenu->addAction("Open run records", this, &CQtWindow::OnOpenRecords);
    return pMenu;
}

void CQtWindow::contextMenuEvent(QContextMenuEvent* pEvent) {
    QMenu* pMenu = CreateContextMenu();
    pMenu->exec(pEvent->globalPos());
    delete pMenu;
}

void CQtWindow::OnAbout() {
    CAboutDlg about(this);
    about.exec();
}

void CQtWindow::OnHelp() {
    const QString strPage = FindHelpPage(m_strHelpFolder);
    // A box of the framework's: no icon of the caller's, so the exclamation.
    if (strPage.isEmpty()) {
        MessageBox("Failed to launch help.", "", MsgIcon::Exclamation, MsgButtons::Ok);
        return;
    }
    if (!m_bHelpAsRoot && LaunchHelp(m_strHelpFolder, m_fnOpenHelp))
        return;
    if (!m_pHelpViewer)
        m_pHelpViewer = new CHelpViewer(this);
    m_pHelpViewer->ShowPage(strPage);
}

void CQtWindow::OnOpenRecords() {
    const std::filesystem::path folder = RecordFolder();
    std::error_code ec;
    std::filesystem::create_directories(folder, ec);
    const QUrl url = QUrl::fromLocalFile(QString::fromStdString(folder.string()));
    if (m_fnOpenFolder)
        m_fnOpenFolder(url);
    else
        QDesktopServices::openUrl(url);
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
