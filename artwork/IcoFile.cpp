#include "artwork/IcoFile.h"

#include <cstdint>

namespace {
void Put16(std::string& out, uint32_t nValue) {
    out.push_back(static_cast<char>(nValue & 0xFF));
    out.push_back(static_cast<char>((nValue >> 8) & 0xFF));
}

void Put32(std::string& out, uint32_t nValue) {
    Put16(out, nValue & 0xFFFF);
    Put16(out, nValue >> 16);
}

// BITMAPINFOHEADER, the colours bottom-up in BGRA, then the AND mask (set
// where the picture is fully transparent), each row padded to 32 bits.
std::string ImageBytes(const CCanvas& picture) {
    const int nSize = picture.Width();
    const uint32_t nMaskRow = static_cast<uint32_t>((nSize + 31) / 32 * 4);
    std::string out;
    for (uint32_t nValue : {40u, static_cast<uint32_t>(nSize), static_cast<uint32_t>(2 * nSize)})
        Put32(out, nValue);
    Put16(out, 1);
    Put16(out, 32);
    for (int i = 0; i < 6; ++i)
        Put32(out, 0);
    for (int nY = nSize - 1; nY >= 0; --nY)
        for (int nX = 0; nX < nSize; ++nX)
            Put32(out, picture.Pixel(nX, nY)); // 0xAARRGGBB is B, G, R, A in memory order
    for (int nY = nSize - 1; nY >= 0; --nY) {
        std::string row(nMaskRow, '\0');
        for (int nX = 0; nX < nSize; ++nX)
            if ((picture.Pixel(nX, nY) >> 24) == 0)
                row[static_cast<size_t>(nX / 8)] |= static_cast<char>(0x80 >> (nX % 8));
        out += row;
    }
    return out;
}
} // namespace

std::string IcoFileBytes(const std::vector<CCanvas>& pictures) {
    std::string header, images;
    Put16(header, 0);
    Put16(header, 1); // an icon, not a cursor
    Put16(header, static_cast<uint32_t>(pictures.size()));
    uint32_t nOffset = 6 + 16 * static_cast<uint32_t>(pictures.size());
    for (const CCanvas& picture : pictures) {
        const std::string image = ImageBytes(picture);
        const uint32_t nSide = picture.Width() >= 256 ? 0 : static_cast<uint32_t>(picture.Width());
        header.push_back(static_cast<char>(nSide));
        header.push_back(static_cast<char>(nSide));
        Put16(header, 0); // no palette, reserved
        Put16(header, 1);
        Put16(header, 32);
        Put32(header, static_cast<uint32_t>(image.size()));
        Put32(header, nOffset);
        nOffset += static_cast<uint32_t>(image.size());
        images += image;
    }
    return header + images;
}
