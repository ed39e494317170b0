// Error objects and the per-thread error slot. A component that fails a call
// leaves an IErrorInfo in the calling thread's slot; the caller takes it with
// GetErrorInfo right after the failing call.
#include "platform/com.h"

#include <atomic>
#include <new>

namespace {

std::atomic<LONG> liveErrorObjects{0};

// Replaces *field with a copy of text (NULL clears it).
HRESULT storeText(BSTR* field, const OLECHAR* text)
{
    BSTR copy = nullptr;
    if (text != nullptr && (copy = SysAllocString(text)) == nullptr) return E_OUTOFMEMORY;
    SysFreeString(*field);
    *field = copy;
    return S_OK;
}

// Hands out a new copy of field; NULL when the field was never set.
HRESULT copyText(BSTR field, BSTR* out)
{
    if (out == nullptr) return E_INVALIDARG;
    *out = nullptr;
    if (field == nullptr) return S_OK;
    *out = SysAllocStringLen(field, SysStringLen(field));
    return *out == nullptr ? E_OUTOFMEMORY : S_OK;
}

// One object behind both interfaces: ICreateErrorInfo to fill it in, IErrorInfo
// to read it. IUnknown identity is the ICreateErrorInfo base.
class ErrorObject final : public ICreateErrorInfo, public IErrorInfo {
public:
    ErrorObject() { liveErrorObjects.fetch_add(1, std::memory_order_relaxed); }
    ErrorObject(const ErrorObject&) = delete;
    ErrorObject& operator=(const ErrorObject&) = delete;

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** object) override
    {
        if (object == nullptr) return E_POINTER;
        if (riid == IID_IUnknown || riid == IID_ICreateErrorInfo)
            *object = static_cast<ICreateErrorInfo*>(this);
        else if (riid == IID_IErrorInfo)
            *object = static_cast<IErrorInfo*>(this);
        else {
            *object = nullptr;
            return E_NOINTERFACE;
        }
        AddRef();
        return S_OK;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return references.fetch_add(1) + 1; }
    ULONG STDMETHODCALLTYPE Release() override
    {
        const ULONG remaining = references.fetch_sub(1) - 1;
        if (remaining == 0) delete this;
        return remaining;
    }

    HRESULT STDMETHODCALLTYPE SetGUID(REFGUID value) override
    {
        guid = value;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE SetSource(LPOLESTR text) override { return storeText(&source, text); }
    HRESULT STDMETHODCALLTYPE SetDescription(LPOLESTR text) override { return storeText(&description, text); }
    HRESULT STDMETHODCALLTYPE SetHelpFile(LPOLESTR text) override { return storeText(&helpFile, text); }
    HRESULT STDMETHODCALLTYPE SetHelpContext(DWORD value) override
    {
        helpContext = value;
        return S_OK;
    }

    HRESULT STDMETHODCALLTYPE GetGUID(GUID* out) override
    {
        if (out == nullptr) return E_INVALIDARG;
        *out = guid;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE GetSource(BSTR* out) override { return copyText(source, out); }
    HRESULT STDMETHODCALLTYPE GetDescription(BSTR* out) override { return copyText(description, out); }
    HRESULT STDMETHODCALLTYPE GetHelpFile(BSTR* out) override { return copyText(helpFile, out); }
    HRESULT STDMETHODCALLTYPE GetHelpContext(DWORD* out) override
    {
        if (out == nullptr) return E_INVALIDARG;
        *out = helpContext;
        return S_OK;
    }

private:
    ~ErrorObject()
    {
        SysFreeString(source);
        SysFreeString(description);
        SysFreeString(helpFile);
        liveErrorObjects.fetch_sub(1, std::memory_order_relaxed);
    }

    std::atomic<ULONG> references{1};
    GUID guid = GUID_NULL;
    BSTR source = nullptr;
    BSTR description = nullptr;
    BSTR helpFile = nullptr;
    DWORD helpContext = 0;
};

// The thread's error slot. Its destructor runs when the thread ends, so an
// object left there by a thread that never collected it is still released.
struct ErrorSlot {
    IErrorInfo* info = nullptr;
    ~ErrorSlot()
    {
        if (info != nullptr) info->Release();
    }
};
thread_local ErrorSlot errorSlot;

}  // namespace

// Makes an empty error object: GUID_NULL, no texts, help context 0.
// info: receives its ICreateErrorInfo with one reference; QueryInterface gives
// its IErrorInfo.
// Returns S_OK, E_INVALIDARG for a NULL out pointer, E_OUTOFMEMORY.
STDAPI CreateErrorInfo(ICreateErrorInfo** info)
{
    if (info == nullptr) return E_INVALIDARG;
    *info = new (std::nothrow) ErrorObject();
    return *info == nullptr ? E_OUTOFMEMORY : S_OK;
}

// Puts info in the calling thread's slot (AddRef'd) and releases what was there.
// reserved: must be 0 (E_INVALIDARG otherwise, as on Windows).
// info: NULL just clears the slot.
STDAPI SetErrorInfo(ULONG reserved, IErrorInfo* info)
{
    if (reserved != 0) return E_INVALIDARG;
    if (info != nullptr) info->AddRef();
    IErrorInfo* previous = errorSlot.info;
    errorSlot.info = info;
    // Released after the swap: the old object's destructor may set error info.
    if (previous != nullptr) previous->Release();
    return S_OK;
}

// Takes the calling thread's error object: *info receives the slot's reference
// (no extra AddRef; the caller releases it) and the slot is emptied, so a second
// call finds nothing.
// Returns S_OK, S_FALSE with *info NULL when the slot is empty, E_INVALIDARG for
// a NULL out pointer or non-zero reserved.
STDAPI GetErrorInfo(ULONG reserved, IErrorInfo** info)
{
    if (info == nullptr || reserved != 0) return E_INVALIDARG;
    *info = errorSlot.info;
    errorSlot.info = nullptr;
    return *info == nullptr ? S_FALSE : S_OK;
}

// Number of error objects made by CreateErrorInfo and still alive.
STDAPI_(LONG) JVelComLiveErrorObjects() { return liveErrorObjects.load(std::memory_order_relaxed); }
