// The failure record: what the last failed native call on this thread was,
// and how many have failed here. Every failure path of every native writes
// it; a successful call never touches it, so the success path gets no
// thread-local access, no lock and no allocation. A thread's record is never
// seen by another thread and is freed when the thread ends.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>

#include "platform/com.h"

namespace jvelweb {

class _com_error;

// Why a call failed. The order is the order of JVelWebFailure.Cause in Java.
enum class FailureCause : int {
    NoPlugin,      // no plug-in held: E_POINTER, as the plug-in reference's checked access raises
    NullArgument,  // a null String argument: E_INVALIDARG
    AlreadyHeld,   // _jni_initialize with a plug-in held: kAlreadyHeld
    ComError,      // COM or the plug-in refused: its own HRESULT
    OutOfMemory,   // the library or the JVM ran out of memory: E_OUTOFMEMORY
};

// HRESULT_FROM_WIN32(ERROR_ALREADY_INITIALIZED): "An attempt was made to
// perform an initialization operation when initialization has already been
// completed."
constexpr HRESULT kAlreadyHeld = static_cast<HRESULT>(0x800704DFu);

// A text of the record in UTF-16, as Java Strings are made from it; absent
// when `units` is null. (Not a std::u16string: the library would export its
// out-of-line members.)
struct RecordText {
    std::unique_ptr<char16_t[]> units;
    size_t length = 0;
    bool Present() const noexcept { return units != nullptr; }
};

// One failed call.
struct FailureRecord {
    const char* operation = nullptr;  // the Java method name, a string literal
    HRESULT hresult = S_OK;
    FailureCause cause = FailureCause::ComError;
    // The report's message line (system text or fallback); absent only when
    // no memory was left to make it.
    RecordText message;
    // The error information's texts; absent when there was none.
    RecordText source;
    RecordText description;
};

// Records a failure without error information: the message is the system
// text (or fallback) of `hresult`. Never raises; when memory runs out the
// texts are left absent but the failure is still counted.
void RecordFailure(const char* operation, FailureCause cause, HRESULT hresult) noexcept;

// Records a caught error: its HRESULT, its message, and its error
// information's source and description.
void RecordFailure(const char* operation, FailureCause cause, const _com_error& error) noexcept;

// Records a caught error with error information taken from elsewhere (may be
// null), and `fallbackDescription` as the description when `info` gives none
// (may be null too).
void RecordFailure(const char* operation, FailureCause cause, const _com_error& error, IErrorInfo* info,
                   const char* fallbackDescription) noexcept;

// The calling thread's last failure, or null when it has none (or cleared it).
// Valid until the thread's next failure or clear.
const FailureRecord* LastFailure() noexcept;

// The number of failures on the calling thread since it started or last cleared.
int64_t FailureCount() noexcept;

// Forgets the calling thread's record: no last failure, a count of 0, and the
// texts' memory given back.
void ClearFailures() noexcept;

}  // namespace jvelweb
