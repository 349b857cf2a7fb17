#include "qt/HelpViewer.h"

#include <QTextBrowser>
#include <QUrl>
#include <QVBoxLayout>

CHelpViewer::CHelpViewer(QWidget* pParent) : QDialog(pParent), m_pBrowser(new QTextBrowser(this)) {
    setWindowFlags(Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                   Qt::WindowMinMaxButtonsHint | Qt::WindowCloseButtonHint);
    setWindowTitle("KTR-84 Upgrader Help");
    setModal(false);
    m_pBrowser->setOpenExternalLinks(false);
    auto* pLayout = new QVBoxLayout(this);
    pLayout->setContentsMargins(0, 0, 0, 0);
    pLayout->addWidget(m_pBrowser);
    resize(640, 520);
}

void CHelpViewer::ShowPage(const QString& strPath) {
    m_pBrowser->setSource(QUrl::fromLocalFile(strPath));
    show();
    raise();
    activateWindow();
}
