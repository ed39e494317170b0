// Helpers shared by the platform tests: readable HRESULT comparisons and small
// COM objects that count the references they are given. Only Windows API names
// are used, so the tests also run against the system's own COM.
#pragma once

#include "platform/com.h"

#include <gtest/gtest.h>

#include <atomic>
#include <cstdio>
#include <string>

// HRESULTs print as hex: failures then read like the codes in the headers.
inline std::string hex(HRESULT hr)
{
    char text[16];
    std::snprintf(text, sizeof text, "0x%08X", unsigned(hr));
    return text;
}
#define EXPECT_HR(expected, actual) EXPECT_EQ(hex(expected), hex(actual))
#define ASSERT_HR(expected, actual) ASSERT_EQ(hex(expected), hex(actual))

inline bool sameText(BSTR text, const std::u16string& expected)
{
    return text != nullptr && std::u16string(reinterpret_cast<const char16_t*>(text), SysStringLen(text)) == expected;
}

// An IDispatch (and so an IUnknown) that lives on the stack and only counts:
// tests read `references` to see what the code under test AddRef'd and
// Released. It starts with the test's own reference.
class CountingDispatch : public IDispatch {
public:
    std::atomic<LONG> references{1};

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** object) override
    {
        if (riid == IID_IUnknown || riid == IID_IDispatch) {
            *object = static_cast<IDispatch*>(this);
            AddRef();
            return S_OK;
        }
        *object = nullptr;
        return E_NOINTERFACE;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return ULONG(++references); }
    ULONG STDMETHODCALLTYPE Release() override { return ULONG(--references); }
    HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT, LCID, ITypeInfo**) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE Invoke(DISPID, REFIID, LCID, WORD, DISPPARAMS*, VARIANT*, EXCEPINFO*, UINT*) override
    {
        return E_NOTIMPL;
    }
};
