#include "bridge/shared_wide_string.h"

#include <new>
#include <utility>

#include "bridge/com_error.h"
#include "bridge/text_conversion.h"

namespace jvelweb {

SharedWideString SharedWideString::Attach(BSTR wide)
{
    Record* record = new (std::nothrow) Record{wide, nullptr, {1}};
    if (record == nullptr) {
        SysFreeString(wide);
        RaiseComError(E_OUTOFMEMORY);
    }
    SharedWideString holder;
    holder.record_ = record;
    return holder;
}

SharedWideString SharedWideString::FromNarrow(const char* text)
{
    BSTR wide = ConvertNarrowToWide(text);
    if (wide == nullptr && text != nullptr) RaiseComError(E_OUTOFMEMORY);
    return Attach(wide);
}

SharedWideString SharedWideString::Adopt(BSTR bstr) { return Attach(bstr); }

SharedWideString::SharedWideString(const SharedWideString& other) noexcept : record_(other.record_)
{
    if (record_ != nullptr) record_->refs.fetch_add(1, std::memory_order_relaxed);
}

SharedWideString& SharedWideString::operator=(const SharedWideString& other) noexcept
{
    if (this != &other) {
        SharedWideString copy(other);
        *this = std::move(copy);
    }
    return *this;
}

SharedWideString::SharedWideString(SharedWideString&& other) noexcept : record_(other.record_)
{
    other.record_ = nullptr;
}

SharedWideString& SharedWideString::operator=(SharedWideString&& other) noexcept
{
    if (this != &other) {
        Release();
        record_ = other.record_;
        other.record_ = nullptr;
    }
    return *this;
}

ULONG SharedWideString::Release() noexcept
{
    Record* record = record_;
    if (record == nullptr) return 0;
    record_ = nullptr;
    // A count of 1 read by a holder means no other holder exists that could
    // copy it meanwhile, so the last owner frees without a locked operation.
    const LONG left = record->refs.load(std::memory_order_acquire) == 1
                          ? 0
                          : record->refs.fetch_sub(1, std::memory_order_acq_rel) - 1;
    if (left == 0) {
        SysFreeString(record->wide);
        FreeNarrow(record->narrow);
        delete record;
    }
    return static_cast<ULONG>(left);
}

const char* SharedWideString::NarrowText()
{
    if (!HasText()) return nullptr;
    if (record_->narrow == nullptr) record_->narrow = ConvertWideToNarrow(record_->wide);
    return record_->narrow;
}

}  // namespace jvelweb
