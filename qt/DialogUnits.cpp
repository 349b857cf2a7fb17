#include "qt/DialogUnits.h"

#include <QFontMetrics>

namespace {
// Rounded a * b / c, as the templates' conversion rounds.
int MulDiv(int nA, int nB, int nC) {
    const long long nProduct = static_cast<long long>(nA) * nB;
    return static_cast<int>((nProduct >= 0 ? nProduct + nC / 2 : nProduct - nC / 2) / nC);
}
} // namespace

CDialogUnits::CDialogUnits(const QFont& font) {
    const QFontMetrics metrics(font);
    // The average width over the 52 letters, rounded to whole pixels.
    const int nLetters =
        metrics.horizontalAdvance("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz");
    m_nBaseX = (nLetters / 26 + 1) / 2;
    m_nBaseY = metrics.height();
}

int CDialogUnits::ToPixelsX(int nUnits) const {
    return MulDiv(nUnits, m_nBaseX, 4);
}

int CDialogUnits::ToPixelsY(int nUnits) const {
    return MulDiv(nUnits, m_nBaseY, 8);
}

QRect CDialogUnits::ToPixels(int nX, int nY, int nWidth, int nHeight) const {
    // Position and size convert separately, as the dialog manager does.
    return QRect(ToPixelsX(nX), ToPixelsY(nY), ToPixelsX(nWidth), ToPixelsY(nHeight));
}

QSize CDialogUnits::ToPixels(int nWidth, int nHeight) const {
    return QSize(ToPixelsX(nWidth), ToPixelsY(nHeight));
}
