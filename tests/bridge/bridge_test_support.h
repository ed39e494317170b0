// Small helpers shared by the bridge runtime suites: HRESULTs shown in hex, a
// reference-counting IDispatch, error objects for the thread's slot.
#pragma once

#include <cstdio>
#include <string>

#include "platform/com.h"
#include "tests/support/counting_dispatch.h"
#include "tests/support/ole_text.h"

namespace jvelweb::testing {

// "0x80004003": compare Hex(actual) with Hex(expected) so a failure prints
// both HRESULTs in hex.
inline std::string Hex(HRESULT hr)
{
    char text[16];
    std::snprintf(text, sizeof text, "0x%08X", static_cast<unsigned>(hr));
    return text;
}

inline std::u16string WideOf(BSTR text) { return U16(text); }

// "[0061 FFFD]": UTF-16 units, for failure messages.
inline std::string Units(const std::u16string& text)
{
    std::string out;
    char unit[8];
    for (char16_t c : text) {
        std::snprintf(unit, sizeof unit, "%s%04X", out.empty() ? "" : " ", unsigned(c));
        out += unit;
    }
    return "[" + out + "]";
}

// A new error object from the layer with the given texts (null: never set),
// as IErrorInfo with one reference.
inline IErrorInfo* NewErrorInfo(const char16_t* source, const char16_t* description)
{
    ICreateErrorInfo* create = nullptr;
    if (FAILED(CreateErrorInfo(&create))) return nullptr;
    if (source != nullptr) create->SetSource(Ole(source));
    if (description != nullptr) create->SetDescription(Ole(description));
    IErrorInfo* info = nullptr;
    create->QueryInterface(IID_IErrorInfo, reinterpret_cast<void**>(&info));
    create->Release();
    return info;
}

// Empties the thread's error slot; true when something was pending.
inline bool ClearPendingErrorInfo()
{
    IErrorInfo* left = nullptr;
    if (GetErrorInfo(0, &left) != S_OK) return false;
    left->Release();
    return true;
}

}  // namespace jvelweb::testing
