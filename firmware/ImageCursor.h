#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

#include "firmware/EmbeddedImages.h"

// Where images are found by name: the ones linked into the program, or (a
// test's) others.
using ImageLookup = std::function<const EmbeddedImage*(std::string_view)>;

// The send position: the one image being sent and how far it has gone. One
// for the dialog's whole life; every LoadImage replaces it.
class CImageCursor {
public:
    // Points the position at the named image's first byte. The bytes stay
    // where the program holds them; nothing is copied.
    bool LoadImage(const char* pszName);
    // "Uploading N of M kilobytes", built into strOut in place: it runs before
    // every line sent.
    void ProgressText(std::string& strOut) const;

    ImageLookup m_findImage = FindEmbeddedImage;
    int32_t m_nImageSize = 0;
    int32_t m_nBytesSent = 0;
    const uint8_t* m_pSendCursor = nullptr;
};
