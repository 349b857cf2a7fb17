#pragma once

#include <QComboBox>
#include <QStylePainter>
#include <functional>

// A drop-down list that reports when it opens and shows a long entry by the
// end that tells it apart: a simulator's link path by its end, a USB
// adapter's entry ("ttyUSB0 — maker product") by its start.
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
        const Qt::TextElideMode mode =
            option.currentText.startsWith('/') ? Qt::ElideLeft : Qt::ElideRight;
        option.currentText = fontMetrics().elidedText(option.currentText, mode, textRect.width());
        painter.drawComplexControl(QStyle::CC_ComboBox, option);
        painter.drawControl(QStyle::CE_ComboBoxLabel, option);
    }
};
