#include "layer_error.h"

#include <cstdio>
#include <new>

namespace {

// UTF-8 to UTF-16. Paths are bytes, so a malformed sequence is possible and
// gives U+FFFD rather than an error.
std::u16string widen(const std::string& text)
{
    std::u16string wide;
    wide.reserve(text.size());
    for (std::size_t i = 0; i < text.size();) {
        const unsigned char lead = static_cast<unsigned char>(text[i]);
        const int extra = lead < 0x80 ? 0 : (lead >> 5) == 6 ? 1 : (lead >> 4) == 14 ? 2 : (lead >> 3) == 30 ? 3 : -1;
        char32_t code = extra == 0 ? lead : extra == 1 ? (lead & 0x1F) : extra == 2 ? (lead & 0x0F) : (lead & 0x07);
        bool valid = extra >= 0 && i + std::size_t(extra) < text.size();
        for (int k = 1; valid && k <= extra; ++k) {
            const unsigned char next = static_cast<unsigned char>(text[i + std::size_t(k)]);
            valid = (next & 0xC0) == 0x80;
            code = (code << 6) | (next & 0x3F);
        }
        const char32_t least[] = {0, 0x80, 0x800, 0x10000};
        if (!valid || code < least[extra] || code > 0x10FFFF || (code >= 0xD800 && code < 0xE000)) {
            wide += u'\uFFFD';
            ++i;
            continue;
        }
        i += std::size_t(extra) + 1;
        if (code >= 0x10000) {
            code -= 0x10000;
            wide += char16_t(0xD800 + (code >> 10));
            wide += char16_t(0xDC00 + (code & 0x3FF));
        } else {
            wide += char16_t(code);
        }
    }
    return wide;
}

}  // namespace

std::string jvelcom::classIdText(REFCLSID id)
{
    char name[40];
    std::snprintf(name, sizeof name, "{%08X-%04X-%04X-%02X%02X-%02X%02X%02X%02X%02X%02X}", unsigned(id.Data1),
                  unsigned(id.Data2), unsigned(id.Data3), id.Data4[0], id.Data4[1], id.Data4[2], id.Data4[3],
                  id.Data4[4], id.Data4[5], id.Data4[6], id.Data4[7]);
    return name;
}

HRESULT jvelcom::failWithErrorInfo(HRESULT hr, const std::string& description)
{
    try {
        std::u16string source = u"jvelcom", text = widen(description);
        ICreateErrorInfo* creator = nullptr;
        if (FAILED(CreateErrorInfo(&creator))) return hr;
        IErrorInfo* info = nullptr;
        if (SUCCEEDED(creator->SetSource(&source[0])) &&
            SUCCEEDED(creator->SetDescription(&text[0])) &&
            SUCCEEDED(creator->QueryInterface(IID_IErrorInfo, reinterpret_cast<void**>(&info))) && info != nullptr) {
            SetErrorInfo(0, info);
            info->Release();
        }
        creator->Release();
    } catch (const std::bad_alloc&) {
    }
    return hr;
}
