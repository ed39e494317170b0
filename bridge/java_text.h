// Text across the JNI boundary: a Java String argument becomes a BSTR of the
// same UTF-16 units, and a plug-in's BSTR result becomes a Java String.
//
// Both directions move UTF-16 as it is, so any text crosses exactly: lone
// surrogates, supplementary characters and U+0000 included.
#pragma once

#include <jni.h>

#include "platform/com.h"

namespace jvelweb {

static_assert(sizeof(jchar) == sizeof(OLECHAR), "a Java char and a COM wide unit are one UTF-16 unit each");

enum class JavaArgument {
    Taken,        // the name holds the String's units (an empty String gives an empty BSTR)
    Null,         // a null String: not read, since JNI has no behaviour for it
    OutOfMemory,  // no BSTR could be had for the text; E_OUTOFMEMORY has been reported
};

// A Java String argument as the BSTR the plug-in borrows, owned by this
// object for one native call and freed when it goes out of scope.
class JavaName {
public:
    JavaName() noexcept = default;
    JavaName(const JavaName&) = delete;
    JavaName& operator=(const JavaName&) = delete;
    ~JavaName() { SysFreeString(wide_); }

    // GetStringLength, then GetStringRegion straight into a BSTR of exactly
    // that length: one allocation, and the JVM makes no copy of its own.
    // Neither call can leave an exception pending: a String's length never
    // changes, the region asked for is the whole of it, and the JVM allocates
    // nothing, so it cannot run out of memory. Call once per object.
    JavaArgument Take(JNIEnv* env, jstring text) noexcept
    {
        if (text == nullptr) return JavaArgument::Null;
        const jsize length = env->GetStringLength(text);
        wide_ = SysAllocStringLen(nullptr, static_cast<UINT>(length));
        if (wide_ == nullptr) return ReportNoMemoryForText(env);
        env->GetStringRegion(text, 0, length, reinterpret_cast<jchar*>(wide_));
        return JavaArgument::Taken;
    }

    // The text for the plug-in to borrow; it must neither free nor keep it.
    BSTR Wide() const noexcept { return wide_; }

private:
    // Reports E_OUTOFMEMORY as a failed plug-in call is reported.
    static JavaArgument ReportNoMemoryForText(JNIEnv* env) noexcept;

    BSTR wide_ = nullptr;
};

// A new Java String of length 0: the failure value of String natives.
inline jstring NewEmptyJavaString(JNIEnv* env) noexcept { return env->NewStringUTF(""); }

// The Java String for a plug-in's text, which this takes over and frees once
// the String is made: the units before the first zero unit (all of them when
// there is none), since plug-ins hand out zero-padded buffers; the empty
// String for a null BSTR. Returns the JVM's answer unchecked (null with an
// exception pending).
inline jstring TakeOverJavaString(JNIEnv* env, BSTR text) noexcept
{
    if (text == nullptr) return NewEmptyJavaString(env);
    // Every BSTR has a zero unit after its last, so the scan ends at the
    // latest at SysStringLen(text) without asking for it; four units a step
    // (each read only after the one before it was not zero) keep the
    // branches few.
    const OLECHAR* unit = text;
    while (unit[0] != 0 && unit[1] != 0 && unit[2] != 0 && unit[3] != 0) unit += 4;
    while (*unit != 0) ++unit;
    const auto units = static_cast<jsize>(unit - text);
    const jstring result = env->NewString(reinterpret_cast<const jchar*>(text), units);
    SysFreeString(text);
    return result;
}

}  // namespace jvelweb
