// What the window shows besides the template's controls: the time left of an
// upload under the progress bar, and a line about a slow adapter, for which
// the window grows a row at its foot while it shows.
#include <QLabel>
#include <QPalette>

#include "qt/DialogUnits.h"
#include "qt/QtWindow.h"

namespace {
// The template's size in dialog units, and the foot row's margins.
constexpr int kWidthDlu = 260;
constexpr int kHeightDlu = 242;
constexpr int kMarginDlu = 3;
} // namespace

void CQtWindow::CreateFigures() {
    const CDialogUnits units(font());
    // The strip between the progress bar and the window's foot is free.
    m_pTimeLeft = new QLabel(this);
    m_pTimeLeft->setObjectName("timeLeft");
    m_pTimeLeft->setTextFormat(Qt::PlainText);
    m_pTimeLeft->setAlignment(Qt::AlignRight | Qt::AlignTop);
    m_pTimeLeft->setGeometry(units.ToPixels(150, 228, 107, 10));

    m_pSlowLine = new QLabel(this);
    m_pSlowLine->setObjectName("slowAdapter");
    m_pSlowLine->setTextFormat(Qt::PlainText);
    m_pSlowLine->setWordWrap(true);
    m_pSlowLine->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    QPalette palette = m_pSlowLine->palette();
    palette.setColor(QPalette::WindowText, QColor(0xb0, 0x50, 0x00)); // a dark amber
    m_pSlowLine->setPalette(palette);
    m_pSlowLine->hide();
}

void CQtWindow::ShowTimeLeft(const std::string& strText) {
    m_pTimeLeft->setText(QString::fromStdString(strText));
}

void CQtWindow::ShowSlowAdapter(const std::string& strText) {
    const CDialogUnits units(font());
    const QSize base = units.ToPixels(kWidthDlu, kHeightDlu);
    if (strText.empty()) {
        m_pSlowLine->clear();
        m_pSlowLine->hide();
        setFixedSize(base);
        return;
    }
    m_pSlowLine->setText(QString::fromStdString(strText));
    const int nLeft = units.ToPixelsX(kMarginDlu);
    const int nWidth = base.width() - 2 * nLeft;
    const int nHeight = m_pSlowLine->heightForWidth(nWidth);
    m_pSlowLine->setGeometry(nLeft, base.height(), nWidth, nHeight);
    m_pSlowLine->show();
    setFixedSize(base.width(), base.height() + nHeight + units.ToPixelsY(kMarginDlu));
}
