// _com_error: the library's one exception. It carries a failing HRESULT and,
// when the failing object offered it, that object's IErrorInfo.
#pragma once

#include <jni.h>

#include "bridge/shared_wide_string.h"
#include "platform/com.h"

namespace jvelweb {

class _com_error {
public:
    // Takes over one reference to `errorInfo` (may be null); no AddRef.
    _com_error(HRESULT hresult, IErrorInfo* errorInfo) noexcept;
    // The copy shares the error information (AddRefs it) and starts without
    // a message text of its own.
    _com_error(const _com_error& other) noexcept;
    _com_error& operator=(const _com_error&) = delete;
    // Releases the error information and frees the message text.
    ~_com_error();

    HRESULT Error() const noexcept { return hresult_; }
    // Borrowed: the error keeps its reference.
    IErrorInfo* ErrorInfo() const noexcept { return errorInfo_; }

    // The system's text for the HRESULT without its trailing line break, or
    // "IDispatch error #n" / "Unknown error 0x..." when the system has none.
    // Made on first use and kept in this object; null only when no memory.
    const char* Message() const noexcept;

    // The error information's source and description, taken over from the
    // BSTR IErrorInfo hands out; a holder without text when there is no error
    // information or it gives none. Raises E_OUTOFMEMORY.
    SharedWideString Source() const;
    SharedWideString Description() const;

private:
    HRESULT hresult_;
    IErrorInfo* errorInfo_;
    mutable char* messageText_ = nullptr;  // from LocalAlloc, freed with LocalFree
};

// Throws a _com_error for a failure the library detects itself: no error
// information. Out of line, so the callers' fast paths stay small.
[[noreturn]] void RaiseComError(HRESULT hresult);

// Throws a _com_error for a failed operation of `object`, carrying the
// thread's error information when `object` says, through ISupportErrorInfo,
// that it supports error information for `interfaceId` (exactly S_OK).
[[noreturn]] void RaiseComErrorWithInfo(HRESULT hresult, IUnknown* object, REFIID interfaceId);

// Writes the error to Trace as six lines: " ", "JVelWeb COM Exception:", the
// HRESULT in lower-case hex, the message, the source, the description (null
// lines for the last two without error information). Never raises.
void ComErrorReport(JNIEnv* env, const _com_error& error) noexcept;

}  // namespace jvelweb
