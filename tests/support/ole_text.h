// Tests write their texts as UTF-16 literals (u"...") and hand them to COM.
// OLECHAR is a UTF-16 code unit everywhere, but its type is wchar_t on Windows
// and char16_t in the portable layer; these helpers cross at that boundary,
// so the same test sources build against either COM.
//
// Leak checks: the portable layer counts its live BSTRs and error objects, so
// a test compares the counts before and after. The system's COM keeps no such
// count; there EXPECT_LIVE compares nothing and the rest of the test runs.
#pragma once

#include <gtest/gtest.h>

#include <string>

#include "platform/com.h"

namespace jvelweb::testing {

static_assert(sizeof(OLECHAR) == sizeof(char16_t), "OLECHAR is a UTF-16 code unit");

inline LPOLESTR Ole(const char16_t* text)
{
    return const_cast<LPOLESTR>(reinterpret_cast<LPCOLESTR>(text));
}

// The whole text of a BSTR (SysStringLen units); NULL reads as empty.
inline std::u16string U16(BSTR text)
{
    return text == nullptr ? std::u16string()
                           : std::u16string(reinterpret_cast<const char16_t*>(text), SysStringLen(text));
}

// A zero-terminated OLE text (not a BSTR), up to its first zero.
inline std::u16string U16Z(LPCOLESTR text)
{
    return std::u16string(reinterpret_cast<const char16_t*>(text));
}

// A new BSTR with exactly these units, embedded zeros included.
inline BSTR NewBstr(const std::u16string& text)
{
    return SysAllocStringLen(reinterpret_cast<LPCOLESTR>(text.data()), static_cast<UINT>(text.size()));
}

#ifdef _WIN32
constexpr bool kCountsLiveObjects = false;
inline LONG LiveStrings() { return 0; }
inline LONG LiveErrorObjects() { return 0; }
#else
constexpr bool kCountsLiveObjects = true;
inline LONG LiveStrings() { return JVelComLiveStrings(); }
inline LONG LiveErrorObjects() { return JVelComLiveErrorObjects(); }
#endif

}  // namespace jvelweb::testing

// EXPECT_LIVE(LiveStrings(), before) << "message": a leak check where the
// layer counts, nothing where it does not.
#define EXPECT_LIVE(count, expected)                      \
    switch (0)                                            \
    case 0:                                               \
    default:                                              \
        if (!::jvelweb::testing::kCountsLiveObjects) {    \
        } else                                            \
            EXPECT_EQ(count, expected)
