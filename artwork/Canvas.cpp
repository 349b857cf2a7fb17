#include "artwork/Canvas.h"

#include <algorithm>
#include <cmath>

namespace {
constexpr double kPi = 3.14159265358979323846;

double SegmentDistance(double dX, double dY, double dX0, double dY0, double dX1, double dY1) {
    const double dDx = dX1 - dX0, dDy = dY1 - dY0;
    const double dLength2 = dDx * dDx + dDy * dDy;
    double dT = dLength2 > 0 ? ((dX - dX0) * dDx + (dY - dY0) * dDy) / dLength2 : 0;
    dT = std::clamp(dT, 0.0, 1.0);
    return std::hypot(dX - (dX0 + dT * dDx), dY - (dY0 + dT * dDy));
}

uint32_t Channel(uint32_t nColor, int nShift) {
    return (nColor >> nShift) & 0xFF;
}
} // namespace

CCanvas::CCanvas(int nWidth, int nHeight, uint32_t nFill)
    : m_nWidth(nWidth), m_nHeight(nHeight),
      m_pixels(static_cast<size_t>(nWidth) * static_cast<size_t>(nHeight), nFill) {}

void CCanvas::FillVerticalGradient(uint32_t nTop, uint32_t nBottom) {
    for (int nY = 0; nY < m_nHeight; ++nY) {
        const double dF = m_nHeight > 1 ? static_cast<double>(nY) / (m_nHeight - 1) : 0;
        uint32_t nColor = 0xFF000000;
        for (int nShift : {16, 8, 0}) {
            const double dValue = Channel(nTop, nShift) * (1 - dF) + Channel(nBottom, nShift) * dF;
            nColor |= static_cast<uint32_t>(std::lround(dValue)) << nShift;
        }
        std::fill_n(m_pixels.begin() + static_cast<long>(Index(0, nY)), m_nWidth, nColor);
    }
}

template <class FnDistance>
void CCanvas::Cover(double dLeft, double dTop, double dRight, double dBottom, uint32_t nColor,
                    FnDistance fnDistance) {
    const int nX0 = std::max(0, static_cast<int>(std::floor(dLeft - 1)));
    const int nY0 = std::max(0, static_cast<int>(std::floor(dTop - 1)));
    const int nX1 = std::min(m_nWidth - 1, static_cast<int>(std::ceil(dRight + 1)));
    const int nY1 = std::min(m_nHeight - 1, static_cast<int>(std::ceil(dBottom + 1)));
    for (int nY = nY0; nY <= nY1; ++nY)
        for (int nX = nX0; nX <= nX1; ++nX)
            Blend(nX, nY, nColor, std::clamp(0.5 - fnDistance(nX + 0.5, nY + 0.5), 0.0, 1.0));
}

// Source over, in straight alpha.
void CCanvas::Blend(int nX, int nY, uint32_t nColor, double dCoverage) {
    const double dSrcA = Channel(nColor, 24) / 255.0 * dCoverage;
    if (dSrcA <= 0)
        return;
    uint32_t& nPixel = m_pixels[Index(nX, nY)];
    const double dDstA = Channel(nPixel, 24) / 255.0;
    const double dOutA = dSrcA + dDstA * (1 - dSrcA);
    uint32_t nOut = static_cast<uint32_t>(std::lround(dOutA * 255)) << 24;
    for (int nShift : {16, 8, 0}) {
        const double dValue =
            (Channel(nColor, nShift) * dSrcA + Channel(nPixel, nShift) * dDstA * (1 - dSrcA)) /
            dOutA;
        nOut |= static_cast<uint32_t>(std::lround(dValue)) << nShift;
    }
    nPixel = nOut;
}

void CCanvas::FillRoundedRect(double dLeft, double dTop, double dRight, double dBottom,
                              double dRadius, uint32_t nColor) {
    const double dCx = (dLeft + dRight) / 2, dCy = (dTop + dBottom) / 2;
    const double dHalfX = (dRight - dLeft) / 2 - dRadius, dHalfY = (dBottom - dTop) / 2 - dRadius;
    Cover(dLeft, dTop, dRight, dBottom, nColor, [&](double dX, double dY) {
        const double dQx = std::abs(dX - dCx) - dHalfX, dQy = std::abs(dY - dCy) - dHalfY;
        return std::hypot(std::max(dQx, 0.0), std::max(dQy, 0.0)) +
               std::min(std::max(dQx, dQy), 0.0) - dRadius;
    });
}

void CCanvas::FillDisc(double dX, double dY, double dRadius, uint32_t nColor) {
    Cover(dX - dRadius, dY - dRadius, dX + dRadius, dY + dRadius, nColor,
          [&](double dPx, double dPy) { return std::hypot(dPx - dX, dPy - dY) - dRadius; });
}

void CCanvas::StrokeLine(double dX0, double dY0, double dX1, double dY1, double dWidth,
                         uint32_t nColor) {
    const double dHalf = dWidth / 2;
    Cover(std::min(dX0, dX1) - dHalf, std::min(dY0, dY1) - dHalf, std::max(dX0, dX1) + dHalf,
          std::max(dY0, dY1) + dHalf, nColor, [&](double dX, double dY) {
              return SegmentDistance(dX, dY, dX0, dY0, dX1, dY1) - dHalf;
          });
}

void CCanvas::StrokeArc(double dX, double dY, double dRadius, double dStartDeg, double dSpanDeg,
                        double dWidth, uint32_t nColor) {
    const double dHalf = dWidth / 2;
    const double dStart = dStartDeg * kPi / 180, dSpan = dSpanDeg * kPi / 180;
    const double dEndX0 = dX + dRadius * std::cos(dStart), dEndY0 = dY - dRadius * std::sin(dStart);
    const double dEndX1 = dX + dRadius * std::cos(dStart + dSpan);
    const double dEndY1 = dY - dRadius * std::sin(dStart + dSpan);
    const double dOuter = dRadius + dHalf;
    Cover(dX - dOuter, dY - dOuter, dX + dOuter, dY + dOuter, nColor, [&](double dPx, double dPy) {
        double dAngle = std::atan2(dY - dPy, dPx - dX) - dStart;
        dAngle = std::fmod(std::fmod(dAngle, 2 * kPi) + 2 * kPi, 2 * kPi);
        if (dAngle <= dSpan)
            return std::abs(std::hypot(dPx - dX, dPy - dY) - dRadius) - dHalf;
        return std::min(std::hypot(dPx - dEndX0, dPy - dEndY0),
                        std::hypot(dPx - dEndX1, dPy - dEndY1)) -
               dHalf;
    });
}
