#include "simulator/effects/text.h"

namespace velsim {

std::u16string Ascii(std::string_view text)
{
    return std::u16string(text.begin(), text.end());
}

std::u16string Decimal(int64_t value)
{
    return Ascii(std::to_string(value));
}

std::u16string Quoted(const std::u16string& name)
{
    return u"'" + name + u"'";
}

namespace {

void AppendCodePoint(char32_t code, std::u16string& out)
{
    if (code < 0x10000) {
        out.push_back(static_cast<char16_t>(code));
    } else {
        code -= 0x10000;
        out.push_back(static_cast<char16_t>(0xD800 + (code >> 10)));
        out.push_back(static_cast<char16_t>(0xDC00 + (code & 0x3FF)));
    }
}

}  // namespace

bool DecodeUtf8(std::string_view utf8, std::u16string& utf16)
{
    utf16.clear();
    size_t i = 0;
    while (i < utf8.size()) {
        const unsigned char lead = static_cast<unsigned char>(utf8[i]);
        int trailing = 0;
        char32_t code = 0;
        char32_t smallest = 0;
        if (lead < 0x80) {
            code = lead;
        } else if ((lead & 0xE0) == 0xC0) {
            trailing = 1, code = lead & 0x1F, smallest = 0x80;
        } else if ((lead & 0xF0) == 0xE0) {
            trailing = 2, code = lead & 0x0F, smallest = 0x800;
        } else if ((lead & 0xF8) == 0xF0) {
            trailing = 3, code = lead & 0x07, smallest = 0x10000;
        } else {
            return false;
        }
        if (utf8.size() - i - 1 < static_cast<size_t>(trailing)) return false;
        for (int k = 1; k <= trailing; ++k) {
            const unsigned char next = static_cast<unsigned char>(utf8[i + k]);
            if ((next & 0xC0) != 0x80) return false;
            code = (code << 6) | (next & 0x3F);
        }
        if (code < smallest || code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF)) return false;
        AppendCodePoint(code, utf16);
        i += 1 + trailing;
    }
    return true;
}

std::string EncodeUtf8(std::u16string_view utf16)
{
    std::string utf8;
    utf8.reserve(utf16.size());
    for (size_t i = 0; i < utf16.size(); ++i) {
        uint32_t c = utf16[i];
        if (c >= 0xD800 && c <= 0xDBFF && i + 1 < utf16.size() && utf16[i + 1] >= 0xDC00 && utf16[i + 1] <= 0xDFFF)
            c = 0x10000 + ((c - 0xD800) << 10) + (utf16[++i] - 0xDC00);
        else if (c >= 0xD800 && c <= 0xDFFF)
            c = 0xFFFD;
        if (c < 0x80) {
            utf8 += static_cast<char>(c);
        } else if (c < 0x800) {
            utf8 += static_cast<char>(0xC0 | (c >> 6));
            utf8 += static_cast<char>(0x80 | (c & 0x3F));
        } else if (c < 0x10000) {
            utf8 += static_cast<char>(0xE0 | (c >> 12));
            utf8 += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
            utf8 += static_cast<char>(0x80 | (c & 0x3F));
        } else {
            utf8 += static_cast<char>(0xF0 | (c >> 18));
            utf8 += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
            utf8 += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
            utf8 += static_cast<char>(0x80 | (c & 0x3F));
        }
    }
    return utf8;
}

}  // namespace velsim
