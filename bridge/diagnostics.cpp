#include "bridge/diagnostics.h"

#include <cstdio>
#include <cstring>
#include <memory>
#include <new>

#include "bridge/com_error.h"
#include "bridge/failure_record.h"
#include "bridge/text_conversion.h"
#include "bridge/trace.h"

namespace jvelweb {

void ReportNoPlugin(JNIEnv* env, const char* method) noexcept
{
    RecordFailure(method, FailureCause::NoPlugin, E_POINTER);
    char line[192];
    std::snprintf(line, sizeof line, "JVelWeb: %s called with no plug-in held; call _jni_initialize first", method);
    Trace(env, line);
}

void TraceFailedMethod(JNIEnv* env, const char* method) noexcept
{
    char head[160];
    const int headBytes = std::snprintf(head, sizeof head, "JVelWeb: %s failed", method);
    const FailureRecord* record = LastFailure();
    if (record == nullptr || !record->description.Present() || headBytes < 0) {
        Trace(env, head);
        return;
    }
    const auto* units = reinterpret_cast<const OLECHAR*>(record->description.units.get());
    const size_t length = record->description.length;
    const size_t used = std::strlen(head);
    std::unique_ptr<char[]> line(new (std::nothrow) char[used + 2 + NarrowLength(units, length) + 1]);
    if (!line) {
        Trace(env, head);  // no memory for the description: the method at least
        return;
    }
    std::memcpy(line.get(), head, used);
    std::memcpy(line.get() + used, ": ", 2);
    EncodeNarrow(units, length, line.get() + used + 2);
    Trace(env, line.get());
}

void RecordNullArgument(const char* method, int position) noexcept
{
    char description[64];
    std::snprintf(description, sizeof description, "String argument %d is null", position);
    const _com_error error(E_INVALIDARG, nullptr);
    RecordFailure(method, FailureCause::NullArgument, error, nullptr, description);
}

}  // namespace jvelweb
