#include "bridge/failure_record.h"

#include <new>

#include "bridge/com_error.h"
#include "bridge/text_conversion.h"

namespace jvelweb {
namespace {

// The calling thread's failures. Reached only from the functions below, all
// on failure paths or asked for by Java; its destructor frees the texts when
// the thread ends.
struct ThreadFailures {
    int64_t count = 0;
    bool present = false;
    FailureRecord record;
};
thread_local ThreadFailures t_failures;

// Copies a BSTR's units into `out`; absent for a null BSTR or no memory.
bool CopyWide(BSTR wide, std::u16string& out) noexcept
{
    if (wide == nullptr) return false;
    try {
        out.assign(wide, wide + SysStringLen(wide));
        return true;
    } catch (const std::bad_alloc&) {
        out.clear();
        return false;
    }
}

bool CopyNarrow(const char* text, std::u16string& out) noexcept
{
    if (text == nullptr) return false;
    const BSTR wide = ConvertNarrowToWide(text);
    const bool copied = CopyWide(wide, out);
    SysFreeString(wide);
    return copied;
}

bool CopyErrorText(IErrorInfo* info, HRESULT (STDMETHODCALLTYPE IErrorInfo::*get)(BSTR*), std::u16string& out) noexcept
{
    if (info == nullptr) return false;
    BSTR text = nullptr;
    (info->*get)(&text);  // as in the report: the text says all
    const bool copied = CopyWide(text, out);
    SysFreeString(text);
    return copied;
}

}  // namespace

void RecordFailure(const char* operation, FailureCause cause, const _com_error& error, IErrorInfo* info,
                   const char* fallbackDescription) noexcept
{
    ThreadFailures& failures = t_failures;
    ++failures.count;
    failures.present = true;
    FailureRecord& record = failures.record;
    record.operation = operation;
    record.hresult = error.Error();
    record.cause = cause;
    record.hasMessage = CopyNarrow(error.Message(), record.message);
    record.hasSource = CopyErrorText(info, &IErrorInfo::GetSource, record.source);
    record.hasDescription = CopyErrorText(info, &IErrorInfo::GetDescription, record.description);
    if (!record.hasDescription) record.hasDescription = CopyNarrow(fallbackDescription, record.description);
}

void RecordFailure(const char* operation, FailureCause cause, const _com_error& error) noexcept
{
    RecordFailure(operation, cause, error, error.ErrorInfo(), nullptr);
}

void RecordFailure(const char* operation, FailureCause cause, HRESULT hresult) noexcept
{
    const _com_error error(hresult, nullptr);
    RecordFailure(operation, cause, error);
}

const FailureRecord* LastFailure() noexcept { return t_failures.present ? &t_failures.record : nullptr; }

int64_t FailureCount() noexcept { return t_failures.count; }

void ClearFailures() noexcept
{
    ThreadFailures& failures = t_failures;
    failures.count = 0;
    failures.present = false;
    failures.record = FailureRecord();  // the texts' memory goes back now, not at thread end
}

}  // namespace jvelweb
