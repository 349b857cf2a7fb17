#pragma once

#include <QComboBox>
#include <QStylePainter>
#include <functional>

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
