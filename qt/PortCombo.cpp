#include "qt/PortCombo.h"

#include <QStylePainter>
#include <algorithm>

namespace {
// The style draws the label a pixel inside the edit field on either side.
constexpr int kLabelInset = 2;
} // namespace

CPortCombo::CPortCombo(QWidget* pParent) : QComboBox(pParent) {
    connect(this, &QComboBox::currentTextChanged, this, [this] { FitCurrentEntry(); });
}

void CPortCombo::SetRoom(int nLeft, int nRight) {
    m_rectPlace = geometry();
    m_nLeft = nLeft;
    m_nRight = nRight;
    FitCurrentEntry();
}

void CPortCombo::showPopup() {
    if (onPopup)
        onPopup();
    QComboBox::showPopup();
}

int CPortCombo::TextWidth(int nListWidth) const {
    QStyleOptionComboBox option;
    initStyleOption(&option);
    option.rect = QRect(0, 0, nListWidth, height());
    const QRect field =
        style()->subControlRect(QStyle::CC_ComboBox, &option, QStyle::SC_ComboBoxEditField, this);
    return field.width() - kLabelInset;
}

void CPortCombo::FitCurrentEntry() {
    if (!m_rectPlace.isValid())
        return;
    const int nPlace = m_rectPlace.width();
    const QString strText = currentText();
    // Elision measures the text in fractions of a pixel: the room it keeps
    // the whole text in may be a pixel or two over the rounded advance.
    int nText = fontMetrics().horizontalAdvance(strText);
    for (int i = 0; i < 4 && fontMetrics().elidedText(strText, Qt::ElideRight, nText) != strText;
         ++i)
        ++nText;
    const int nWanted = nText + nPlace - TextWidth(nPlace);
    const int nWidth = std::min(nWanted, m_nRight - m_nLeft);
    if (nWidth <= nPlace) {
        setGeometry(m_rectPlace);
        return;
    }
    // About the place's centre, shifted back inside the room at either edge.
    const int nX = std::clamp(m_rectPlace.x() - (nWidth - nPlace) / 2, m_nLeft, m_nRight - nWidth);
    setGeometry(nX, m_rectPlace.y(), nWidth, m_rectPlace.height());
}

void CPortCombo::paintEvent(QPaintEvent*) {
    QStylePainter painter(this);
    QStyleOptionComboBox option;
    initStyleOption(&option);
    const Qt::TextElideMode mode =
        option.currentText.startsWith('/') ? Qt::ElideLeft : Qt::ElideRight;
    option.currentText = fontMetrics().elidedText(option.currentText, mode, TextWidth(width()));
    painter.drawComplexControl(QStyle::CC_ComboBox, option);
    painter.drawControl(QStyle::CE_ComboBoxLabel, option);
}
