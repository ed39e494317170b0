// SharedWideString: a holder of a shared, reference-counted wide string (a
// BSTR) with a narrow copy made on demand. Holders point to one record; the
// last holder released frees the BSTR, the narrow copy and the record.
#pragma once

#include <atomic>

#include "platform/com.h"

namespace jvelweb {

class SharedWideString {
public:
    // A null holder: no record, no text.
    SharedWideString() noexcept = default;

    // A new record whose wide text is `text` converted from narrow text; a
    // null `text` gives a record without wide text. Raises E_OUTOFMEMORY when
    // the record or the wide text cannot be allocated.
    static SharedWideString FromNarrow(const char* text);

    // A new record that takes over `bstr` (may be null) without copying it:
    // the record frees it. When the record cannot be allocated, `bstr` is
    // freed all the same and E_OUTOFMEMORY is raised, so nothing leaks.
    static SharedWideString Adopt(BSTR bstr);

    // Copying shares the record and adds one to its count, atomically.
    SharedWideString(const SharedWideString& other) noexcept;
    SharedWideString& operator=(const SharedWideString& other) noexcept;
    // Moving hands the record over; the source becomes a null holder.
    SharedWideString(SharedWideString&& other) noexcept;
    SharedWideString& operator=(SharedWideString&& other) noexcept;
    ~SharedWideString() { Release(); }

    // Gives this holder's share back and makes it null. Returns the count
    // left on the record (0 when this release freed it, or for a null holder).
    ULONG Release() noexcept;

    // True when the holder has a record with wide text; an empty BSTR counts.
    bool HasText() const noexcept { return record_ != nullptr && record_->wide != nullptr; }

    // The wide text for a COM call to borrow (null when there is none). The
    // holder keeps ownership; the callee must not free or keep it.
    BSTR Wide() const noexcept { return record_ != nullptr ? record_->wide : nullptr; }

    // The narrow copy, made on first use and kept until the record is freed;
    // null when there is no wide text. Raises E_OUTOFMEMORY.
    const char* NarrowText();

private:
    struct Record {
        BSTR wide;
        char* narrow;
        // Changed only by atomic increment and decrement, so holders may be
        // copied and released on different threads.
        std::atomic<LONG> refs;
    };
    static SharedWideString Attach(BSTR wide);
    Record* record_ = nullptr;
};

}  // namespace jvelweb
