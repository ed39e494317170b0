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
void CopyWide(BSTR wide, RecordText& out) noexcept
{
    out = RecordText();
    if (wide == nullptr) return;
    const size_t length = SysStringLen(wide);
    out.units.reset(new (std::nothrow) char16_t[length + 1]);
    if (!out.units) return;
    for (size_t i = 0; i < length; ++i) out.units[i] = static_cast<char16_t>(wide[i]);
    out.units[length] = u'\0';
    out.length = length;
}

void CopyNarrow(const char* text, RecordText& out) noexcept
{
    out = RecordText();
    if (text == nullptr) return;
    const BSTR wide = ConvertNarrowToWide(text);
    CopyWide(wide, out);
    SysFreeString(wide);
}

void CopyErrorText(IErrorInfo* info, HRESULT (STDMETHODCALLTYPE IErrorInfo::*get)(BSTR*), RecordText& out) noexcept
{
    out = RecordText();
    if (info == nullptr) return;
    BSTR text = nullptr;
    (info->*get)(&text);  // as in the report: the text says all
    CopyWide(text, out);
    SysFreeString(text);
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
    CopyNarrow(error.Message(), record.message);
    CopyErrorText(info, &IErrorInfo::GetSource, record.source);
    CopyErrorText(info, &IErrorInfo::GetDescription, record.description);
    if (!record.description.Present()) CopyNarrow(fallbackDescription, record.description);
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
