#pragma once

#include <QFont>
#include <QRect>
#include <QSize>

// Dialog units to pixels, the way the dialog templates were laid out: a
// horizontal unit is a quarter of the font's average character width, a
// vertical unit an eighth of its character height. Keeping this rule keeps
// the windows' proportions whatever font the desktop uses.
class CDialogUnits {
public:
    explicit CDialogUnits(const QFont& font);
    CDialogUnits(int nBaseX, int nBaseY) : m_nBaseX(nBaseX), m_nBaseY(nBaseY) {}

    int BaseX() const { return m_nBaseX; }
    int BaseY() const { return m_nBaseY; }
    int ToPixelsX(int nUnits) const;
    int ToPixelsY(int nUnits) const;
    QRect ToPixels(int nX, int nY, int nWidth, int nHeight) const;
    QSize ToPixels(int nWidth, int nHeight) const;

private:
    int m_nBaseX; // average character width in pixels
    int m_nBaseY; // character height in pixels
};
