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
    static constexpr char kPrefix[] = "JVelWeb: ";
    static constexpr char kFailed[] = " failed";
    const FailureRecord* record = LastFailure();
    const RecordText* description =
        record != nullptr && record->description.Present() ? &record->description : nullptr;
    const auto* units = description != nullptr ? reinterpret_cast<const OLECHAR*>(description->units.get()) : nullptr;
    const size_t textBytes = description != nullptr ? NarrowLength(units, description->length) : 0;
    const size_t head = sizeof kPrefix - 1 + std::strlen(method) + sizeof kFailed - 1;
    std::unique_ptr<char[]> line(new (std::nothrow) char[head + 2 + textBytes + 1]);
    if (!line) {
        Trace(env, method);  // no memory for more: the name alone still says whose report it was
        return;
    }
    std::snprintf(line.get(), head + 1, "%s%s%s", kPrefix, method, kFailed);
    if (description != nullptr) {
        std::memcpy(line.get() + head, ": ", 2);
        EncodeNarrow(units, description->length, line.get() + head + 2);
    }
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
