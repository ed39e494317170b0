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
// system property jvelweb.trace or the variable JVELWEB_TRACE: "stderr",
// "off" (discarded), or the path of a file that lines are appended to (made
// if missing). Null keeps the build's choice. A file that cannot be opened
// sends the lines to stderr, after one line there saying so. Each line is
// written whole, with one write, so lines of concurrent failures never mix.
void ConfigureTrace(const char* destination) noexcept;

}  // namespace jvelweb
