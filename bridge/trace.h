// The diagnostic sink. Every diagnostic line of the library goes through
// Trace, one call per line; by default the line is discarded.
#pragma once

#include <jni.h>

namespace jvelweb {

// Hands one line to the sink. `text` may be null (the report passes null for
// a missing message, source or description).
void Trace(JNIEnv* env, const char* text) noexcept;

// Where lines go: by default discarded, or written to stderr ("(null)" for
// a null text) in a build configured with JVELWEB_TRACE_STDERR, until
// ConfigureTrace chooses otherwise.
using TraceSink = void (*)(JNIEnv* env, const char* text);

// Replaces the sink and returns the previous one. Tests use this seam to
// capture lines; set it before the threads that trace start.
TraceSink SetTraceSink(TraceSink sink) noexcept;

// Chooses where lines go from now on, as the Java side reads it from the
// system property jvelweb.trace or the variable JVELWEB_TRACE: "stderr" or
// "off" (discarded), in any case, or the path of a file that lines are
// appended to. The file is held to the platform layer's rule for trace files
// (JVelComOpenTraceFile: a regular file or character device in a directory
// no one else can write, never a FIFO, never through a planted link, made
// 0600); one that cannot be opened or is refused sends the lines to stderr,
// after one line there saying why. Null keeps the build's choice. Each line
// is written whole, with one write, so lines of concurrent failures never
// mix, and with its control characters escaped (a line feed as \n, the
// others as \uXXXX), so no text a caller or plug-in chose can forge a line.
void ConfigureTrace(const char* destination) noexcept;

}  // namespace jvelweb
