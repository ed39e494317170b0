// The floor: the work a native of each benchmarked shape cannot avoid, and
// nothing else. Each String argument is taken from the JVM and handed back
// (GetStringUTFChars, ReleaseStringUTFChars); the plug-in is called once,
// through the same vtable slot as our native; a failing HRESULT gives the
// failure value; a String result is made with NewStringUTF and the plug-in's
// BSTR is freed.
//
// What the floor leaves out, on purpose, is what the bridge is measured for:
// no reference is taken on the plug-in (the caller guarantees it lives), and
// the name reaches the plug-in as a BSTR made once beforehand (`name`) rather
// than converted per call. A floor needs some BSTR to pass; converting the
// Java text into a fresh one per call is part of the bridge's cost, and the
// frame benchmark measures it on its own (SysAllocStringLen + SysFreeString,
// SharedWideString::FromNarrow).
#pragma once

#include <jni.h>

#include "platform/com.h"
#include "plugin/web_plugin.h"

namespace jvelweb::bench {

// The Java text is fetched and released; the JVM cannot skip either.
inline bool TouchJavaString(JNIEnv* env, jstring text)
{
    if (text == nullptr) return false;
    const char* chars = env->GetStringUTFChars(text, nullptr);
    if (chars == nullptr) return false;
    env->ReleaseStringUTFChars(text, chars);
    return true;
}

// The plug-in's text as a Java String, freeing the BSTR. ASCII that fits is
// narrowed on the stack for NewStringUTF; anything else goes through
// NewString, which takes UTF-16 as it is.
inline jstring FloorJavaString(JNIEnv* env, BSTR text)
{
    const UINT length = SysStringLen(text);
    char narrow[128];
    bool ascii = length < sizeof narrow;
    for (UINT i = 0; ascii && i < length; ++i) {
        if (text[i] == 0 || text[i] >= 0x80) ascii = false;
        narrow[i] = static_cast<char>(text[i]);
    }
    jstring result;
    if (ascii) {
        narrow[length] = '\0';
        result = env->NewStringUTF(narrow);
    } else {
        result = env->NewString(reinterpret_cast<const jchar*>(text), static_cast<jsize>(length));
    }
    SysFreeString(text);
    return result;
}

inline jboolean Flag(HRESULT hr, VARIANT_BOOL answer) { return SUCCEEDED(hr) && answer != 0 ? JNI_TRUE : JNI_FALSE; }
inline jint Number(HRESULT hr, LONG answer) { return SUCCEEDED(hr) ? answer : -99; }

// ---- The seven shapes ----

// No argument, boolean result.
inline jboolean FloorStopEffects(JNIEnv*, IWebPlugin2* plugin)
{
    VARIANT_BOOL answer = 0;
    const HRESULT hr = plugin->StopEffects(&answer);
    return Flag(hr, answer);
}

// One int, int result.
inline jint FloorGetNumberOfEffects(JNIEnv*, IWebPlugin2* plugin, jint value)
{
    LONG answer = 0;
    const HRESULT hr = plugin->GetNumberOfEffects(value, &answer);
    return Number(hr, answer);
}

// A name and an int, boolean result.
inline jboolean FloorStartEffect(JNIEnv* env, IWebPlugin2* plugin, BSTR name, jstring effect, jint value)
{
    if (!TouchJavaString(env, effect)) return JNI_FALSE;
    VARIANT_BOOL answer = 0;
    const HRESULT hr = plugin->StartEffect(name, value, &answer);
    return Flag(hr, answer);
}

// A name and an int, int result.
inline jint FloorGetCenterX(JNIEnv* env, IWebPlugin2* plugin, BSTR name, jstring effect, jint value)
{
    if (!TouchJavaString(env, effect)) return -99;
    LONG answer = 0;
    const HRESULT hr = plugin->GetCenterX(name, value, &answer);
    return Number(hr, answer);
}

// Two names (and an int), boolean result.
inline jboolean FloorEffectSupportsGet(JNIEnv* env, IWebPlugin2* plugin, BSTR name, BSTR parameterName,
                                       jstring effect, jint value, jstring parameter)
{
    if (!TouchJavaString(env, effect) || !TouchJavaString(env, parameter)) return JNI_FALSE;
    VARIANT_BOOL answer = 0;
    const HRESULT hr = plugin->EffectSupportsGet(name, value, parameterName, &answer);
    return Flag(hr, answer);
}

// No argument, String result.
inline jstring FloorGetPluginVersion(JNIEnv* env, IWebPlugin2* plugin)
{
    BSTR answer = nullptr;
    const HRESULT hr = plugin->GetPluginVersion(&answer);
    if (FAILED(hr)) return env->NewStringUTF("");
    return FloorJavaString(env, answer);
}

// A name (and an int), String result.
inline jstring FloorGetEffectTypeName(JNIEnv* env, IWebPlugin2* plugin, BSTR name, jstring effect, jint value)
{
    if (!TouchJavaString(env, effect)) return nullptr;
    BSTR answer = nullptr;
    const HRESULT hr = plugin->GetEffectTypeName(name, value, &answer);
    if (FAILED(hr)) return env->NewStringUTF("");
    return FloorJavaString(env, answer);
}

}  // namespace jvelweb::bench
