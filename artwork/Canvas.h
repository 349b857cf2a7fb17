#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

// A picture as plain pixels (0xAARRGGBB, not premultiplied), drawn with
// smooth edges without any toolkit: the program's artwork is drawn with it
// at build time (the icon file) and at run time (the window's logo).
class CCanvas {
public:
    CCanvas(int nWidth, int nHeight, uint32_t nFill = 0);

    int Width() const { return m_nWidth; }
    int Height() const { return m_nHeight; }
    uint32_t Pixel(int nX, int nY) const { return m_pixels[Index(nX, nY)]; }
    const std::vector<uint32_t>& Pixels() const { return m_pixels; }

    void FillVerticalGradient(uint32_t nTop, uint32_t nBottom);
    void FillRoundedRect(double dLeft, double dTop, double dRight, double dBottom, double dRadius,
                         uint32_t nColor);
    void FillDisc(double dX, double dY, double dRadius, uint32_t nColor);
    // Strokes with round ends, dWidth wide.
    void StrokeLine(double dX0, double dY0, double dX1, double dY1, double dWidth, uint32_t nColor);
    // Degrees counter-clockwise from three o'clock, as on screen (y down).
    void StrokeArc(double dX, double dY, double dRadius, double dStartDeg, double dSpanDeg,
                   double dWidth, uint32_t nColor);

private:
    size_t Index(int nX, int nY) const { return static_cast<size_t>(nY) * m_nWidth + nX; }
    // Covers each pixel of the box by how far inside the shape its centre is
    // (fnDistance: negative inside, in pixels).
    template <class FnDistance>
    void Cover(double dLeft, double dTop, double dRight, double dBottom, uint32_t nColor,
               FnDistance fnDistance);
    void Blend(int nX, int nY, uint32_t nColor, double dCoverage);

    int m_nWidth;
    int m_nHeight;
    std::vector<uint32_t> m_pixels;
};
