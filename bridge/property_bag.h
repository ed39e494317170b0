// PropertyBag: a small in-memory IPropertyBag, an ordered list of named
// values. The library hands one holding DeviceFlag to the plug-in's
// IPersistPropertyBag::Load.
#pragma once

#include <cstddef>

#include "platform/com.h"

namespace jvelweb {

struct PropertyEntry {
    BSTR name;      // owned; the name as first written
    VARIANT value;  // owned
};

class PropertyBag final : public IPropertyBag {
public:
    // Starts with a reference count of 0 and no storage at all.
    PropertyBag() noexcept = default;
    PropertyBag(const PropertyBag&) = delete;
    PropertyBag& operator=(const PropertyBag&) = delete;

    // Answers IID_IUnknown and IID_IPropertyBag (AddRefs), else E_NOINTERFACE.
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** object) override;
    // Plain, non-atomic counting: a bag belongs to one thread. The Release
    // that brings the count to 0 destroys the bag.
    ULONG STDMETHODCALLTYPE AddRef() override;
    ULONG STDMETHODCALLTYPE Release() override;

    // Copies the value of every entry whose name matches into `value` (the last
    // match wins); S_OK when one matched, else E_INVALIDARG with VT_EMPTY.
    // The caller's previous VARIANT content is not freed. The log is ignored.
    HRESULT STDMETHODCALLTYPE Read(LPCOLESTR name, VARIANT* value, IErrorLog* errorLog) override;

    // Replaces the value of the first matching entry (keeping its position and
    // first-written name) or appends a new entry. A value that cannot be copied
    // is stored as VT_ERROR with the failing HRESULT; VT_UNKNOWN is refused
    // with E_FAIL. E_OUTOFMEMORY when a new entry cannot be stored; the
    // existing entries are then untouched.
    HRESULT STDMETHODCALLTYPE Write(LPCOLESTR name, VARIANT* value) override;

    size_t Count() const noexcept { return count_; }
    size_t Capacity() const noexcept { return capacity_; }
    const PropertyEntry& Entry(size_t index) const noexcept { return entries_[index]; }

    // Names match when they have the same length and their UTF-16 units are
    // equal once A to Z are folded to a to z; nothing else is folded.
    static bool NamesMatch(LPCOLESTR a, LPCOLESTR b) noexcept;

private:
    virtual ~PropertyBag();
    bool Grow() noexcept;

    ULONG refCount_ = 0;
    PropertyEntry* entries_ = nullptr;
    size_t count_ = 0;
    size_t capacity_ = 0;
};

}  // namespace jvelweb
