#include "artwork/Artwork.h"

#include <algorithm>

namespace {
constexpr uint32_t kNavy = 0xFF123460;
constexpr uint32_t kSky = 0xFF245696;
constexpr uint32_t kSignal = 0xFFF5AA1E;
constexpr uint32_t kWhite = 0xFFFFFFFF;

struct Box {
    double dLeft, dTop, dWidth, dHeight;
};

// A lattice mast standing on the bottom edge of the box, with two pairs of
// wave arcs around its tip.
void DrawMast(CCanvas& canvas, const Box& box, uint32_t nMastColor) {
    const double dW = box.dWidth, dH = box.dHeight;
    const double dTipX = box.dLeft + dW / 2, dTipY = box.dTop + dH * 0.28;
    const double dLeftX = box.dLeft + dW * 0.32, dRightX = box.dLeft + dW * 0.68;
    const double dFootY = box.dTop + dH;
    const double dPen = std::max(1.0, dW / 16);
    canvas.StrokeLine(dTipX, dTipY, dLeftX, dFootY, dPen, nMastColor);
    canvas.StrokeLine(dTipX, dTipY, dRightX, dFootY, dPen, nMastColor);
    for (double dF : {0.45, 0.75}) // cross braces
        canvas.StrokeLine(dTipX + (dLeftX - dTipX) * dF, dTipY + (dFootY - dTipY) * dF,
                          dTipX + (dRightX - dTipX) * dF, dTipY + (dFootY - dTipY) * dF, dPen,
                          nMastColor);
    for (int i = 1; i <= 2; ++i) {
        const double dR = dW * 0.16 * i;
        canvas.StrokeArc(dTipX, dTipY, dR, -45, 90, dPen, kSignal); // right side
        canvas.StrokeArc(dTipX, dTipY, dR, 135, 90, dPen, kSignal); // left side
    }
    canvas.FillDisc(dTipX, dTipY, dW / 18, kSignal);
}
} // namespace

CCanvas DrawIconPixels(int nSize) {
    CCanvas canvas(nSize, nSize);
    canvas.FillRoundedRect(0, 0, nSize, nSize, nSize / 6.0, kNavy);
    DrawMast(canvas, {nSize * 0.1, nSize * 0.05, nSize * 0.8, nSize * 0.85}, kWhite);
    return canvas;
}

CCanvas DrawLogoPixels(int nWidth, int nHeight) {
    CCanvas canvas(nWidth, nHeight);
    canvas.FillVerticalGradient(kSky, kNavy);
    DrawMast(canvas, {nWidth * 0.01, nHeight * 0.06, nWidth * 0.36, nHeight * 0.9}, kWhite);
    return canvas;
}
