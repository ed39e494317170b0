#include "bridge/trace.h"

#include <com_velmora_jvelweb_JVelWebTrace.h>

#include <atomic>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <memory>
#include <new>

namespace jvelweb {
namespace {

void DiscardLine(JNIEnv*, const char*) {}

// One fwrite of the whole line, ending in its line feed: the stream's own
// lock keeps lines of concurrent threads apart, and an unbuffered stream
// hands each line to the system in one write.
void WriteLine(FILE* file, const char* text) noexcept
{
    const char* shown = text != nullptr ? text : "(null)";
    const size_t length = std::strlen(shown);
    char small[512];
    std::unique_ptr<char[]> large;
    char* line = small;
    if (length + 1 > sizeof small) {
        large.reset(new (std::nothrow) char[length + 1]);
        if (!large) {
            std::fprintf(file, "%s\n", shown);  // still one call, so still one line
            return;
        }
        line = large.get();
    }
    std::memcpy(line, shown, length);
    line[length] = '\n';
    std::fwrite(line, 1, length + 1, file);
}

void WriteLineToStderr(JNIEnv*, const char* text) { WriteLine(stderr, text); }

// The file ConfigureTrace opened. A file once opened stays open: a thread
// may be writing a line to it while another configuration is made.
std::atomic<FILE*> g_file{nullptr};

void WriteLineToFile(JNIEnv*, const char* text) { WriteLine(g_file.load(std::memory_order_acquire), text); }

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

void ConfigureTrace(const char* destination) noexcept
{
    if (destination == nullptr) return;
    if (std::strcmp(destination, "off") == 0) {
        SetTraceSink(DiscardLine);
    } else if (std::strcmp(destination, "stderr") == 0) {
        SetTraceSink(WriteLineToStderr);
    } else if (FILE* file = std::fopen(destination, "a")) {
        std::setvbuf(file, nullptr, _IONBF, 0);
        g_file.store(file, std::memory_order_release);
        SetTraceSink(WriteLineToFile);
    } else {
        std::fprintf(stderr, "JVelWeb: cannot open the trace file %s (%s); tracing to stderr\n", destination,
                     std::strerror(errno));
        SetTraceSink(WriteLineToStderr);
    }
}

}  // namespace jvelweb

// The Java side hands over jvelweb.trace, or JVELWEB_TRACE, right after it
// loads the library: the library itself exports no load hook.
extern "C" JNIEXPORT void JNICALL Java_com_velmora_jvelweb_JVelWebTrace_configure(JNIEnv* env, jclass,
                                                                                 jstring destination)
{
    if (destination == nullptr) return;
    const char* text = env->GetStringUTFChars(destination, nullptr);
    if (text == nullptr) return;  // an OutOfMemoryError is pending for the caller
    jvelweb::ConfigureTrace(text);
    env->ReleaseStringUTFChars(destination, text);
}
