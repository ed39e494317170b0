// The trace lines and record entries that say, beyond the report, what a
// failed call was and how to mend it. All of them sit on failure paths, out
// of line, so the call frame's success path never reaches this file.
#pragma once

#include <jni.h>

namespace jvelweb {

// A call made with no plug-in held: records NoPlugin under `method` and
// traces the one line that names the method and the fix.
void ReportNoPlugin(JNIEnv* env, const char* method) noexcept;

// The line that follows every report: the method that failed and the
// calling thread's failure record's description, when it has one. Call it
// after RecordFailure, so the report reads as that call's.
void TraceFailedMethod(JNIEnv* env, const char* method) noexcept;

// A null String argument: records NullArgument under `method`, its
// description naming the argument by its 1-based position in Java order.
void RecordNullArgument(const char* method, int position) noexcept;

}  // namespace jvelweb
