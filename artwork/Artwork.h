#pragma once

#include "artwork/Canvas.h"

// The program's own artwork: the application icon (a lattice mast sending
// waves, on a navy tile with rounded corners) and the logo's picture (the
// mast on a sky, with room on the right for the product's lettering, which
// the front end sets in its own font).
CCanvas DrawIconPixels(int nSize);
CCanvas DrawLogoPixels(int nWidth, int nHeight);

// Where the logo's lettering goes, as fractions of the logo's size.
struct LogoText {
    double dLeft, dTop, dWidth, dHeight, dSize; // dSize: letter height
    const char* pszText;
    bool bBold;
    uint32_t nColor;
};
inline constexpr LogoText kLogoLettering[] = {
    {0.40, 0.20, 0.58, 0.32, 0.20, "KTR-84", true, 0xFFFFFFFF},
    {0.40, 0.52, 0.58, 0.22, 0.13, "Upgrader", false, 0xFFF5AA1E},
};
