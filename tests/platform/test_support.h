// Helpers shared by the platform tests. Only Windows API names are used, so
// the tests also run against the system's own COM.
#pragma once

#include "platform/com.h"

#include <gtest/gtest.h>

#include <atomic>
#include <cstdio>
#include <string>

// HRESULTs print as hex, so failures read like the codes in the headers.
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

template <typename Interface>
void** out(Interface** pointer)
{
    return reinterpret_cast<void**>(pointer);
}

// A stack object that only counts: tests read `references` to see what the
// code under test AddRef'd and Released (it starts with the test's own).
// IDispatch and IErrorInfo are always offered; IClassFactory and
// IRunnableObject only when switched on, and then they record their calls.
class TestObject : public IDispatch, public IErrorInfo, public IClassFactory, public IRunnableObject {
public:
    std::atomic<LONG> references{1};
    bool isFactory = false, isRunnable = false;
    HRESULT result = S_OK;       // what CreateInstance fails with, or Run returns
    IUnknown* product = nullptr;  // what CreateInstance hands out
    int calls = 0;
    IUnknown* lastOuter = nullptr;
    LPBINDCTX lastBindContext = reinterpret_cast<LPBINDCTX>(1);

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** object) override
    {
        *object = nullptr;
        if (riid == IID_IUnknown || riid == IID_IDispatch) *object = static_cast<IDispatch*>(this);
        if (riid == IID_IErrorInfo) *object = static_cast<IErrorInfo*>(this);
        if (isFactory && riid == IID_IClassFactory) *object = static_cast<IClassFactory*>(this);
        if (isRunnable && riid == IID_IRunnableObject) *object = static_cast<IRunnableObject*>(this);
        if (*object == nullptr) return E_NOINTERFACE;
        AddRef();
        return S_OK;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return ULONG(++references); }
    ULONG STDMETHODCALLTYPE Release() override { return ULONG(--references); }
    HRESULT STDMETHODCALLTYPE CreateInstance(IUnknown* outer, REFIID riid, void** object) override
    {
        ++calls;
        lastOuter = outer;
        return FAILED(result) ? result : product->QueryInterface(riid, object);
    }
    HRESULT STDMETHODCALLTYPE Run(LPBINDCTX bindContext) override
    {
        ++calls;
        lastBindContext = bindContext;
        return result;
    }
    // The rest is never called by the code under test.
    HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT, LCID, ITypeInfo**) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE Invoke(DISPID, REFIID, LCID, WORD, DISPPARAMS*, VARIANT*, EXCEPINFO*, UINT*) override
    {
        return E_NOTIMPL;
    }
    HRESULT STDMETHODCALLTYPE GetGUID(GUID*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE GetSource(BSTR*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE GetDescription(BSTR*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE GetHelpFile(BSTR*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE GetHelpContext(DWORD*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE LockServer(BOOL) override { return S_OK; }
    HRESULT STDMETHODCALLTYPE GetRunningClass(LPCLSID) override { return E_NOTIMPL; }
    BOOL STDMETHODCALLTYPE IsRunning() override { return calls > 0; }
    HRESULT STDMETHODCALLTYPE LockRunning(BOOL, BOOL) override { return S_OK; }
    HRESULT STDMETHODCALLTYPE SetContainedObject(BOOL) override { return S_OK; }
};
