#pragma once

#include <QComboBox>
#include <functional>

// The port list: a drop-down list that reports when it opens and shows its
// entry whole where the row has room. A long entry ("Simulated Transceiver
// (4711)", "ttyUSB0 — maker product") widens the closed list about its place
// in the template, up to the room it is given; what still does not fit is cut
// at the end that least tells it apart: a path keeps its end, any other entry
// its start.
class CPortCombo : public QComboBox {
public:
    explicit CPortCombo(QWidget* pParent);
    std::function<void()> onPopup;

    // The list's present geometry is its place; it may grow within nLeft to
    // nRight of its parent.
    void SetRoom(int nLeft, int nRight);

    void showPopup() override;

protected:
    void paintEvent(QPaintEvent*) override;

private:
    int TextWidth(int nListWidth) const; // room for the entry's text at that width
    void FitCurrentEntry();

    QRect m_rectPlace;
    int m_nLeft = 0;
    int m_nRight = 0;
};
