#pragma once

#include <cstdint>
#include <string_view>

// One S-record image linked into the executable's read-only data.
struct EmbeddedImage {
    std::string_view name;
    const uint8_t* pData;
    int32_t nSize;
};

// The image of that name, or nullptr. The bytes are never copied.
const EmbeddedImage* FindEmbeddedImage(std::string_view name);
