#include "win32/Artwork.h"

#include <cstring>

#include "artwork/Artwork.h"
#include "win32/Utf16.h"

namespace {
// A top-down 32-bit section holding the canvas's pixels (BGRA in memory).
HBITMAP SectionOf(const CCanvas& canvas) {
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = canvas.Width();
    info.bmiHeader.biHeight = -canvas.Height();
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* pBits = nullptr;
    HBITMAP hBitmap = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &pBits, nullptr, 0);
    if (hBitmap && pBits)
        std::memcpy(pBits, canvas.Pixels().data(), canvas.Pixels().size() * sizeof(uint32_t));
    return hBitmap;
}

void DrawLettering(HDC hdc, int nWidth, int nHeight) {
    SetBkMode(hdc, TRANSPARENT);
    for (const LogoText& text : kLogoLettering) {
        const int nLetters =
            static_cast<int>(nHeight * text.dSize) > 6 ? static_cast<int>(nHeight * text.dSize) : 6;
        HFONT hFont =
            CreateFontW(-nLetters, 0, 0, 0, text.bBold ? FW_BOLD : FW_NORMAL, FALSE, FALSE, FALSE,
                        DEFAULT_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS,
                        ANTIALIASED_QUALITY, DEFAULT_PITCH, L"Tahoma");
        HGDIOBJ hOld = SelectObject(hdc, hFont);
        const uint32_t nColor = text.nColor;
        SetTextColor(hdc, RGB((nColor >> 16) & 0xFF, (nColor >> 8) & 0xFF, nColor & 0xFF));
        RECT rect{static_cast<LONG>(nWidth * text.dLeft), static_cast<LONG>(nHeight * text.dTop),
                  static_cast<LONG>(nWidth * (text.dLeft + text.dWidth)),
                  static_cast<LONG>(nHeight * (text.dTop + text.dHeight))};
        DrawTextW(hdc, Utf16(text.pszText).c_str(), -1, &rect,
                  DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
        SelectObject(hdc, hOld);
        DeleteObject(hFont);
    }
}
} // namespace

HICON CreateApplicationIcon(int nSize) {
    HBITMAP hColor = SectionOf(DrawIconPixels(nSize));
    HBITMAP hMask = CreateBitmap(nSize, nSize, 1, 1, nullptr); // the alpha decides
    ICONINFO info{TRUE, 0, 0, hMask, hColor};
    HICON hIcon = CreateIconIndirect(&info);
    DeleteObject(hColor);
    DeleteObject(hMask);
    return hIcon;
}

HBITMAP CreateLogoBitmap(HDC hdc, int nWidth, int nHeight) {
    HBITMAP hSection = SectionOf(DrawLogoPixels(nWidth, nHeight));
    HDC hdcMem = CreateCompatibleDC(hdc);
    HGDIOBJ hOld = SelectObject(hdcMem, hSection);
    DrawLettering(hdcMem, nWidth, nHeight);
    SelectObject(hdcMem, hOld);
    DeleteDC(hdcMem);
    return hSection;
}
