// Between BSTRs and the UTF-16 strings of the simulator's logic. OLECHAR is a
// 16-bit UTF-16 code unit everywhere (wchar_t on Windows, char16_t here), so
// the text passes unchanged, embedded zeros and surrogate pairs included.
#pragma once

#include <string>
#include <string_view>

#include "platform/com.h"

namespace velsim {

static_assert(sizeof(OLECHAR) == sizeof(char16_t), "OLECHAR is a UTF-16 code unit");

// A borrowed input BSTR as text; NULL is the empty string, as COM treats it.
inline std::u16string FromBstr(BSTR text)
{
    if (text == nullptr) return std::u16string();
    return std::u16string(reinterpret_cast<const char16_t*>(text), SysStringLen(text));
}

// A new BSTR for the caller to free; NULL when memory runs out.
inline BSTR ToBstr(std::u16string_view text)
{
    return SysAllocStringLen(reinterpret_cast<const OLECHAR*>(text.data()), static_cast<UINT>(text.size()));
}

inline LPCOLESTR OleText(const char16_t* text)
{
    return reinterpret_cast<LPCOLESTR>(text);
}

}  // namespace velsim
