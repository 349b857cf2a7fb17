#pragma once

#include <cstdint>
#include <string>
#include <string_view>

// A JSON string literal for the bytes: quotes, backslashes and control
// characters escaped; UTF-8 sequences kept; any other byte (the modules'
// 8-bit text) written as the Latin-1 character of its value.
std::string JsonString(std::string_view bytes);

// One flat JSON object, built member by member in the order added.
class CJsonObject {
public:
    void Add(std::string_view key, std::string_view value);
    void Add(std::string_view key, const char* pszValue) { Add(key, std::string_view(pszValue)); }
    void Add(std::string_view key, int64_t nValue);
    void Add(std::string_view key, int nValue) { Add(key, static_cast<int64_t>(nValue)); }
    // Seconds and the like, with millisecond digits.
    void AddSeconds(std::string_view key, double dValue);
    void AddNull(std::string_view key);

    // The object on one line.
    std::string Text() const { return "{" + m_strMembers + "}"; }

private:
    void Key(std::string_view key);
    std::string m_strMembers;
};
