// Text across the JNI boundary: a Java String argument becomes a wide name,
// and a plug-in's wide result becomes a Java String.
#pragma once

#include <jni.h>

#include "bridge/shared_wide_string.h"

namespace jvelweb {

enum class JavaArgument {
    Taken,    // `name` holds the text (an empty String gives an empty BSTR)
    Null,     // a null String: not read, since JNI has no behaviour for it
    Pending,  // the JVM gave no characters: an OutOfMemoryError is pending
    Failed,   // the wide text could not be made; the error has been reported
};

// GetStringUTFChars, FromNarrow, ReleaseStringUTFChars: the characters go back
// to the JVM before the plug-in is called, on every path.
JavaArgument TakeJavaString(JNIEnv* env, jstring text, SharedWideString& name) noexcept;

// The Java String for a plug-in's text: empty (never null) when the holder has
// no text. Raises E_OUTOFMEMORY when the narrow copy cannot be made. Returns
// NewStringUTF's answer unchecked (null with an exception pending).
jstring NewJavaString(JNIEnv* env, SharedWideString& text);

// A new Java String of length 0: the failure value of String natives.
inline jstring NewEmptyJavaString(JNIEnv* env) noexcept { return env->NewStringUTF(""); }

}  // namespace jvelweb
