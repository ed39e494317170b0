// A reference codec for Java's modified UTF-8, written independently of
// bridge/text_conversion.cpp so the fuzz targets can judge it: the canonical
// form only (U+0000 as C0 80, each UTF-16 unit on its own in the shortest of
// one to three bytes, never a byte F0 or above).
#pragma once

#include <string>

namespace jvelweb::fuzzing {

inline std::string EncodeModifiedUtf8(const std::u16string& units)
{
    std::string out;
    for (char16_t unit : units) {
        if (unit != 0 && unit < 0x80) {
            out += static_cast<char>(unit);
        } else if (unit < 0x800) {
            out += static_cast<char>(0xC0 | (unit >> 6));
            out += static_cast<char>(0x80 | (unit & 0x3F));
        } else {
            out += static_cast<char>(0xE0 | (unit >> 12));
            out += static_cast<char>(0x80 | ((unit >> 6) & 0x3F));
            out += static_cast<char>(0x80 | (unit & 0x3F));
        }
    }
    return out;
}

// Decodes canonical modified UTF-8 into `units`; false (and `units`
// unspecified) for anything else: a zero byte, a stray continuation, a
// truncated or overlong sequence, a lead byte F0 or above.
inline bool DecodeModifiedUtf8(const std::string& bytes, std::u16string& units)
{
    units.clear();
    auto continuation = [&](size_t i) { return i < bytes.size() && (bytes[i] & 0xC0) == 0x80; };
    for (size_t i = 0; i < bytes.size();) {
        const unsigned char lead = static_cast<unsigned char>(bytes[i]);
        if (lead != 0 && lead < 0x80) {
            units += static_cast<char16_t>(lead);
            i += 1;
        } else if ((lead & 0xE0) == 0xC0 && continuation(i + 1)) {
            const char16_t unit = static_cast<char16_t>(((lead & 0x1F) << 6) | (bytes[i + 1] & 0x3F));
            if (unit != 0 && unit < 0x80) return false;  // overlong; only U+0000 takes two bytes below 0x80
            units += unit;
            i += 2;
        } else if ((lead & 0xF0) == 0xE0 && continuation(i + 1) && continuation(i + 2)) {
            const char16_t unit =
                static_cast<char16_t>(((lead & 0x0F) << 12) | ((bytes[i + 1] & 0x3F) << 6) | (bytes[i + 2] & 0x3F));
            if (unit < 0x800) return false;  // overlong
            units += unit;
            i += 3;
        } else {
            return false;
        }
    }
    return true;
}

}  // namespace jvelweb::fuzzing
