#include "bridge/property_bag.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <new>

namespace jvelweb {
namespace {

char16_t FoldAsciiUpper(char16_t unit) { return (unit >= u'A' && unit <= u'Z') ? unit + (u'a' - u'A') : unit; }

// A copy of `source`, or VT_ERROR holding the HRESULT when it cannot be made.
VARIANT CopyOrError(const VARIANT* source)
{
    VARIANT copy;
    VariantInit(&copy);
    // Some Windows headers declare the source without const; it is only read.
    const HRESULT hr = VariantCopy(&copy, const_cast<VARIANT*>(source));
    if (FAILED(hr)) {
        VariantInit(&copy);
        copy.vt = VT_ERROR;
        copy.scode = hr;
    }
    return copy;
}

}  // namespace

bool PropertyBag::NamesMatch(LPCOLESTR a, LPCOLESTR b) noexcept
{
    for (;; ++a, ++b) {
        if (FoldAsciiUpper(*a) != FoldAsciiUpper(*b)) return false;
        if (*a == 0) return true;
    }
}

PropertyBag::~PropertyBag()
{
    for (size_t i = 0; i < count_; ++i) {
        VariantClear(&entries_[i].value);
        SysFreeString(entries_[i].name);
    }
    std::free(entries_);
}

HRESULT STDMETHODCALLTYPE PropertyBag::QueryInterface(REFIID riid, void** object)
{
    if (object == nullptr) return E_POINTER;
    *object = nullptr;
    if (!IsEqualIID(riid, IID_IUnknown) && !IsEqualIID(riid, IID_IPropertyBag)) return E_NOINTERFACE;
    *object = static_cast<IPropertyBag*>(this);
    AddRef();
    return S_OK;
}

ULONG STDMETHODCALLTYPE PropertyBag::AddRef() { return ++refCount_; }

ULONG STDMETHODCALLTYPE PropertyBag::Release()
{
    const ULONG left = --refCount_;
    if (left == 0) delete this;
    return left;
}

HRESULT STDMETHODCALLTYPE PropertyBag::Read(LPCOLESTR name, VARIANT* value, IErrorLog*)
{
    if (name == nullptr || value == nullptr) return E_POINTER;
    VariantInit(value);
    bool found = false;
    for (size_t i = 0; i < count_; ++i) {
        if (NamesMatch(entries_[i].name, name)) {
            VariantCopy(value, &entries_[i].value);
            found = true;
        }
    }
    return found ? S_OK : E_INVALIDARG;
}

HRESULT STDMETHODCALLTYPE PropertyBag::Write(LPCOLESTR name, VARIANT* value)
{
    if (name == nullptr || value == nullptr) return E_POINTER;
    if (value->vt == VT_UNKNOWN) return E_FAIL;

    for (size_t i = 0; i < count_; ++i) {
        if (NamesMatch(entries_[i].name, name)) {
            VARIANT replacement = CopyOrError(value);
            VariantClear(&entries_[i].value);
            entries_[i].value = replacement;
            return S_OK;
        }
    }

    BSTR ownName = SysAllocString(name);
    if (ownName == nullptr) return E_OUTOFMEMORY;
    if (count_ == capacity_ && !Grow()) {
        SysFreeString(ownName);
        return E_OUTOFMEMORY;
    }
    entries_[count_].name = ownName;
    entries_[count_].value = CopyOrError(value);
    ++count_;
    return S_OK;
}

// Capacities run 1, 2, 4, 8, ...: one more when there is no storage yet,
// otherwise double. Entries move bitwise (a BSTR and a VARIANT have no
// address of their own), so growing cannot fail half-way.
bool PropertyBag::Grow() noexcept
{
    const size_t capacity = entries_ == nullptr ? count_ + 1 : count_ + std::max<size_t>(count_, 1);
    auto* storage = static_cast<PropertyEntry*>(std::calloc(capacity, sizeof(PropertyEntry)));
    if (storage == nullptr) return false;
    if (count_ != 0) std::memcpy(static_cast<void*>(storage), entries_, count_ * sizeof(PropertyEntry));
    std::free(entries_);
    entries_ = storage;
    capacity_ = capacity;
    return true;
}

}  // namespace jvelweb
