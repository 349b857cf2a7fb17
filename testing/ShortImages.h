#pragma once

#include <map>
#include <string>
#include <string_view>

#include "firmware/EmbeddedImages.h"

// Short stand-ins for the legacy images, for runs on a line paced like a UART,
// where the whole image would take minutes: the first nLines records of the
// embedded image and its termination record, every line as the image has it.
class CShortLegacyImages {
public:
    explicit CShortLegacyImages(size_t nLines = 200) {
        for (const char* pszName : {"SREC_TRAN", "SREC_ADI_CTRL"})
            Add(pszName, nLines);
    }

    // For CUpgraderDlg::m_findImage; the other images are the embedded ones.
    const EmbeddedImage* Find(std::string_view name) const {
        auto it = m_images.find(std::string(name));
        return it != m_images.end() ? &it->second.image : FindEmbeddedImage(name);
    }
    // The image's lines as the module receives them, without CR LF.
    std::vector<std::string> Lines(const char* pszName) const {
        std::vector<std::string> out;
        const std::string& text = m_images.at(pszName).text;
        for (size_t at = 0; at < text.size();) {
            const size_t end = text.find("\r\n", at);
            out.push_back(text.substr(at, end - at));
            at = end + 2;
        }
        return out;
    }

private:
    struct Short {
        std::string text;
        EmbeddedImage image;
    };

    void Add(const char* pszName, size_t nLines) {
        const EmbeddedImage* pFull = FindEmbeddedImage(pszName);
        if (pFull == nullptr)
            return;
        const std::string_view full(reinterpret_cast<const char*>(pFull->pData),
                                    static_cast<size_t>(pFull->nSize));
        size_t nEnd = 0;
        for (size_t i = 0; i < nLines; ++i)
            nEnd = full.find('\n', nEnd) + 1;
        const size_t nLast = full.rfind('\n', full.size() - 2) + 1;
        Short& s = m_images[pszName];
        s.text = std::string(full.substr(0, nEnd)) + std::string(full.substr(nLast));
        s.image = {pFull->name, reinterpret_cast<const uint8_t*>(s.text.data()),
                   static_cast<int32_t>(s.text.size())};
    }

    std::map<std::string, Short> m_images;
};
