#include "firmware/EmbeddedImages.h"

#include <windows.h>

namespace {
const char kResourceType[] = "SRECORD";
const char* const kNames[] = {"SREC_TRAN", "SREC_ADI_CTRL", "SREC_UBOOT", "SREC_KERNEL",
                              "SREC_FILESYSTEM"};

// One image among the executable's own resources of type "SRECORD": found,
// sized, loaded and locked. The bytes stay in the mapped resources for the
// life of the process; nothing is copied or released.
EmbeddedImage LoadResourceImage(const char* pszName) {
    EmbeddedImage image{pszName, nullptr, 0};
    const HRSRC hInfo = FindResourceA(nullptr, pszName, kResourceType);
    if (!hInfo)
        return image;
    image.nSize = static_cast<int32_t>(SizeofResource(nullptr, hInfo));
    const HGLOBAL hData = LoadResource(nullptr, hInfo);
    if (hData)
        image.pData = static_cast<const uint8_t*>(LockResource(hData));
    return image;
}
} // namespace

// Resource names are not case-sensitive; the images' names are: only the
// five, exactly as written, are looked up.
const EmbeddedImage* FindEmbeddedImage(std::string_view name) {
    static const EmbeddedImage images[] = {
        LoadResourceImage(kNames[0]), LoadResourceImage(kNames[1]), LoadResourceImage(kNames[2]),
        LoadResourceImage(kNames[3]), LoadResourceImage(kNames[4]),
    };
    for (const EmbeddedImage& image : images)
        if (image.name == name)
            return image.nSize > 0 || image.pData ? &image : nullptr;
    return nullptr;
}
