#include "bridge/text_conversion.h"

#include <cstring>
#include <new>

#include "bridge/com_error.h"

namespace jvelweb {
namespace {

constexpr char16_t kReplacementCharacter = 0xFFFD;

bool IsContinuation(unsigned char byte) { return (byte & 0xC0) == 0x80; }

// Modified UTF-8 writes each unit in its shortest form, except U+0000, which
// takes two bytes (C0 80). A longer form than that is not well-formed.
bool IsShortest2(unsigned lead, unsigned char second) { return lead >= 0xC2 || (lead == 0xC0 && second == 0x80); }
bool IsShortest3(unsigned lead, unsigned char second) { return lead != 0xE0 || second >= 0xA0; }

// Walks modified UTF-8 up to its terminating zero, handing each decoded UTF-16
// unit to `emit`. A continuation test never passes the terminator, so a
// truncated sequence cannot read beyond the text.
template <class Emit>
void DecodeModifiedUtf8(const unsigned char* p, Emit&& emit)
{
    while (*p != 0) {
        const unsigned lead = *p;
        if (lead < 0x80) {
            emit(static_cast<char16_t>(lead));
            p += 1;
        } else if ((lead & 0xE0) == 0xC0 && IsContinuation(p[1]) && IsShortest2(lead, p[1])) {
            emit(static_cast<char16_t>(((lead & 0x1F) << 6) | (p[1] & 0x3F)));
            p += 2;
        } else if ((lead & 0xF0) == 0xE0 && IsContinuation(p[1]) && IsContinuation(p[2]) && IsShortest3(lead, p[1])) {
            emit(static_cast<char16_t>(((lead & 0x0F) << 12) | ((p[1] & 0x3F) << 6) | (p[2] & 0x3F)));
            p += 3;
        } else {
            emit(kReplacementCharacter);
            p += 1;
        }
    }
}

size_t EncodedLength(char16_t unit)
{
    if (unit == 0) return 2;  // C0 80: modified UTF-8 never writes a zero byte inside the text
    if (unit < 0x80) return 1;
    if (unit < 0x800) return 2;
    return 3;
}

char* Encode(char16_t unit, char* out)
{
    if (unit != 0 && unit < 0x80) {
        *out++ = static_cast<char>(unit);
    } else if (unit < 0x800) {
        *out++ = static_cast<char>(0xC0 | (unit >> 6));
        *out++ = static_cast<char>(0x80 | (unit & 0x3F));
    } else {
        *out++ = static_cast<char>(0xE0 | (unit >> 12));
        *out++ = static_cast<char>(0x80 | ((unit >> 6) & 0x3F));
        *out++ = static_cast<char>(0x80 | (unit & 0x3F));
    }
    return out;
}

}  // namespace

BSTR ConvertNarrowToWide(const char* text) noexcept
{
    if (text == nullptr) return nullptr;
    const auto* bytes = reinterpret_cast<const unsigned char*>(text);
    // Every unit takes at least one byte, so a short text decodes in one pass
    // into a stack buffer; a long one is measured first, then decoded.
    constexpr size_t kStackUnits = 256;
    if (std::strlen(text) <= kStackUnits) {
        OLECHAR units[kStackUnits];
        UINT length = 0;
        DecodeModifiedUtf8(bytes, [&](char16_t unit) { units[length++] = unit; });
        return SysAllocStringLen(units, length);
    }
    UINT length = 0;
    DecodeModifiedUtf8(bytes, [&](char16_t) { ++length; });
    BSTR wide = SysAllocStringLen(nullptr, length);
    if (wide == nullptr) return nullptr;
    OLECHAR* out = wide;
    DecodeModifiedUtf8(bytes, [&](char16_t unit) { *out++ = unit; });
    return wide;
}

size_t NarrowLength(const OLECHAR* wide, size_t length) noexcept
{
    size_t bytes = 0;
    for (size_t i = 0; i < length; ++i) bytes += EncodedLength(wide[i]);
    return bytes;
}

void EncodeNarrow(const OLECHAR* wide, size_t length, char* out) noexcept
{
    for (size_t i = 0; i < length; ++i) out = Encode(wide[i], out);
    *out = '\0';
}

char* ConvertWideToNarrow(BSTR wide)
{
    if (wide == nullptr) return nullptr;
    const UINT length = SysStringLen(wide);
    char* narrow = new (std::nothrow) char[NarrowLength(wide, length) + 1];
    if (narrow == nullptr) RaiseComError(E_OUTOFMEMORY);
    EncodeNarrow(wide, length, narrow);
    return narrow;
}

void FreeNarrow(char* text) noexcept { delete[] text; }

}  // namespace jvelweb
