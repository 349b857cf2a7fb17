#include "cli/Json.h"

#include <cmath>
#include <cstdio>

namespace {
// Length of the valid UTF-8 sequence at bytes[at], 0 if none starts there.
size_t Utf8Length(std::string_view bytes, size_t at) {
    const auto lead = static_cast<unsigned char>(bytes[at]);
    size_t n = 0;
    if (lead >= 0xC2 && lead <= 0xDF)
        n = 2;
    else if (lead >= 0xE0 && lead <= 0xEF)
        n = 3;
    else if (lead >= 0xF0 && lead <= 0xF4)
        n = 4;
    if (n == 0 || at + n > bytes.size())
        return 0;
    for (size_t i = 1; i < n; ++i)
        if ((static_cast<unsigned char>(bytes[at + i]) & 0xC0) != 0x80)
            return 0;
    return n;
}

void Escape(unsigned char c, std::string& out) {
    switch (c) {
    case '"':
        out += "\\\"";
        return;
    case '\\':
        out += "\\\\";
        return;
    case '\n':
        out += "\\n";
        return;
    case '\r':
        out += "\\r";
        return;
    case '\t':
        out += "\\t";
        return;
    case '\b':
        out += "\\b";
        return;
    case '\f':
        out += "\\f";
        return;
    }
    char buf[8];
    std::snprintf(buf, sizeof buf, "\\u%04x", c);
    out += buf;
}
} // namespace

std::string JsonString(std::string_view bytes) {
    std::string out = "\"";
    for (size_t i = 0; i < bytes.size();) {
        const auto c = static_cast<unsigned char>(bytes[i]);
        if (c < 0x20 || c == '"' || c == '\\' || c == 0x7F) {
            Escape(c, out);
            ++i;
        } else if (c < 0x80) {
            out += static_cast<char>(c);
            ++i;
        } else if (const size_t n = Utf8Length(bytes, i); n > 0) {
            out.append(bytes.substr(i, n));
            i += n;
        } else {
            Escape(c, out);
            ++i;
        }
    }
    return out + "\"";
}

void CJsonObject::Key(std::string_view key) {
    if (!m_strMembers.empty())
        m_strMembers += ",";
    m_strMembers += JsonString(key) + ":";
}

void CJsonObject::Add(std::string_view key, std::string_view value) {
    Key(key);
    m_strMembers += JsonString(value);
}

void CJsonObject::Add(std::string_view key, int64_t nValue) {
    Key(key);
    m_strMembers += std::to_string(nValue);
}

void CJsonObject::AddSeconds(std::string_view key, double dValue) {
    Key(key);
    if (!std::isfinite(dValue))
        dValue = 0;
    char buf[32];
    std::snprintf(buf, sizeof buf, "%.3f", dValue);
    m_strMembers += buf;
}

void CJsonObject::AddNull(std::string_view key) {
    Key(key);
    m_strMembers += "null";
}
