#include "bridge/trace.h"

#include <com_velmora_jvelweb_JVelWebTrace.h>

#include <atomic>
#include <cctype>
#include <cstdio>
#include <cstring>
#include <memory>
#include <new>

#include "platform/services.h"

namespace jvelweb {
namespace {

void DiscardLine(JNIEnv*, const char*) {}

// A C0 control (U+0000 written C0 80 included), DEL, or a C1 control
// (C2 80 to C2 9F): the code point when `p` starts one, else -1; `length`
// is how many bytes it takes.
int ControlAt(const unsigned char* p, size_t& length)
{
    length = 1;
    if (*p < 0x20 || *p == 0x7F) return *p;
    const bool nul = p[0] == 0xC0 && p[1] == 0x80;
    const bool c1 = p[0] == 0xC2 && p[1] >= 0x80 && p[1] <= 0x9F;
    if (!nul && !c1) return -1;
    length = 2;
    return nul ? 0 : p[1];
}

// The bytes `text` takes once escaped: a line feed as the two characters
// \n, every other control character as \uXXXX. Names and descriptions come
// from callers and plug-ins; escaped, they cannot end a line or start one.
size_t EscapedLength(const unsigned char* text)
{
    size_t total = 0;
    for (size_t length; *text != 0; text += length) {
        const int control = ControlAt(text, length);
        total += control < 0 ? 1 : control == '\n' ? 2 : 6;
    }
    return total;
}

char* Escape(const unsigned char* text, char* out)
{
    for (size_t length; *text != 0; text += length) {
        const int control = ControlAt(text, length);
        if (control < 0) {
            *out++ = static_cast<char>(*text);
        } else if (control == '\n') {
            *out++ = '\\';
            *out++ = 'n';
        } else {
            static constexpr char kHex[] = "0123456789ABCDEF";
            const char escape[6] = {'\\', 'u', '0', '0', kHex[(control >> 4) & 0xF], kHex[control & 0xF]};
            std::memcpy(out, escape, sizeof escape);
            out += sizeof escape;
        }
    }
    return out;
}

// One fwrite of the whole line, escaped and ending in its line feed: the
// stream's own lock keeps lines of concurrent threads apart, and an
// unbuffered stream hands each line to the system in one write.
void WriteLine(FILE* file, const char* text) noexcept
{
    const auto* shown = reinterpret_cast<const unsigned char*>(text != nullptr ? text : "(null)");
    const size_t length = EscapedLength(shown);
    char small[512];
    std::unique_ptr<char[]> large;
    char* line = small;
    if (length + 1 > sizeof small) {
        large.reset(new (std::nothrow) char[length + 1]);
        if (!large) {
            std::fputs("JVelWeb: a trace line was lost (no memory)\n", file);
            return;
        }
        line = large.get();
    }
    char* end = Escape(shown, line);
    *end++ = '\n';
    std::fwrite(line, 1, static_cast<size_t>(end - line), file);
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

// The keywords match in any case: STDERR must not make a file of that name.
static bool IsKeyword(const char* text, const char* keyword)
{
    for (; *text != 0 && *keyword != 0; ++text, ++keyword)
        if (std::tolower(static_cast<unsigned char>(*text)) != *keyword) return false;
    return *text == *keyword;
}

void ConfigureTrace(const char* destination) noexcept
{
    if (destination == nullptr) return;
    char reason[256] = "";
    if (IsKeyword(destination, "off")) {
        SetTraceSink(DiscardLine);
    } else if (IsKeyword(destination, "stderr")) {
        SetTraceSink(WriteLineToStderr);
    } else if (FILE* file = JVelComOpenTraceFile(destination, reason, sizeof reason)) {
        g_file.store(file, std::memory_order_release);
        SetTraceSink(WriteLineToFile);
    } else {
        SetTraceSink(WriteLineToStderr);
        // Through the sink, so a name with a line break in it stays one line.
        const size_t bytes = std::strlen(destination) + std::strlen(reason) + 64;
        std::unique_ptr<char[]> line(new (std::nothrow) char[bytes]);
        if (line) std::snprintf(line.get(), bytes, "JVelWeb: cannot open the trace file %s (%s); tracing to stderr",
                                destination, reason);
        Trace(nullptr, line ? line.get() : "JVelWeb: cannot open the trace file; tracing to stderr");
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
