#include "bridge/trace.h"

#include <atomic>
#include <cstdio>

namespace jvelweb {
namespace {

[[maybe_unused]] void DiscardLine(JNIEnv*, const char*) {}

[[maybe_unused]] void WriteLineToStderr(JNIEnv*, const char* text)
{
    std::fprintf(stderr, "%s\n", text ? text : "(null)");
}

#if defined(JVELWEB_TRACE_STDERR) && JVELWEB_TRACE_STDERR
constexpr TraceSink kBuiltSink = WriteLineToStderr;
#else
constexpr TraceSink kBuiltSink = DiscardLine;
#endif

std::atomic<TraceSink> g_sink{kBuiltSink};

}  // namespace

void Trace(JNIEnv* env, const char* text) noexcept
{
    g_sink.load(std::memory_order_acquire)(env, text);
}

TraceSink SetTraceSink(TraceSink sink) noexcept
{
    return g_sink.exchange(sink ? sink : kBuiltSink, std::memory_order_acq_rel);
}

}  // namespace jvelweb
