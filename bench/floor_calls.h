// The floors the natives are measured against, per benchmarked shape.
//
// `floor`: the least any correct native of the shape must do per call, and
// the reference for every shape:
//   1. AddRef on the plug-in;
//   2. each String argument: GetStringLength, then GetStringRegion straight
//      into a BSTR from SysAllocStringLen(nullptr, n);
//   3. one call through the operation's vtable slot;
//   4. a String result: NewString from the BSTR's UTF-16, then SysFreeString;
//   5. Release.
// A failing HRESULT or a null String gives the failure value.
//
// `floor_without_refs_or_conversion`: the same call without two things a
// correct native cannot leave out, kept to show what they cost: no reference
// is taken on the plug-in (the caller guarantees it lives), and the name
// reaches the plug-in as a BSTR made once beforehand; the Java text is only
// fetched and given back (GetStringUTFChars, ReleaseStringUTFChars). Its
// String result goes through NewStringUTF when it is short ASCII.
#pragma once

#include <jni.h>

#include "platform/com.h"
#include "plugin/web_plugin.h"

namespace jvelweb::bench {

inline jboolean Flag(HRESULT hr, VARIANT_BOOL answer) { return SUCCEEDED(hr) && answer != 0 ? JNI_TRUE : JNI_FALSE; }
inline jint Number(HRESULT hr, LONG answer) { return SUCCEEDED(hr) ? answer : -99; }

namespace floor {

// A String argument as the plug-in's BSTR; null for a null String or no memory.
inline BSTR Name(JNIEnv* env, jstring text)
{
    if (text == nullptr) return nullptr;
    const jsize length = env->GetStringLength(text);
    BSTR name = SysAllocStringLen(nullptr, static_cast<UINT>(length));
    if (name != nullptr) env->GetStringRegion(text, 0, length, reinterpret_cast<jchar*>(name));
    return name;
}

// The plug-in's text as a Java String, freeing the BSTR.
inline jstring Text(JNIEnv* env, HRESULT hr, BSTR text)
{
    jstring result = SUCCEEDED(hr) && text != nullptr
                         ? env->NewString(reinterpret_cast<const jchar*>(text), static_cast<jsize>(SysStringLen(text)))
                         : env->NewStringUTF("");
    SysFreeString(text);
    return result;
}

// No argument, boolean result.
inline jboolean StopEffects(JNIEnv*, IWebPlugin2* plugin)
{
    plugin->AddRef();
    VARIANT_BOOL answer = 0;
    const HRESULT hr = plugin->StopEffects(&answer);
    plugin->Release();
    return Flag(hr, answer);
}

// One int, int result.
inline jint GetNumberOfEffects(JNIEnv*, IWebPlugin2* plugin, jint value)
{
    plugin->AddRef();
    LONG answer = 0;
    const HRESULT hr = plugin->GetNumberOfEffects(value, &answer);
    plugin->Release();
    return Number(hr, answer);
}

// A name and an int, boolean result.
inline jboolean StartEffect(JNIEnv* env, IWebPlugin2* plugin, jstring effect, jint value)
{
    plugin->AddRef();
    jboolean result = JNI_FALSE;
    if (BSTR name = Name(env, effect)) {
        VARIANT_BOOL answer = 0;
        const HRESULT hr = plugin->StartEffect(name, value, &answer);
        SysFreeString(name);
        result = Flag(hr, answer);
    }
    plugin->Release();
    return result;
}

// A name and an int, int result.
inline jint GetCenterX(JNIEnv* env, IWebPlugin2* plugin, jstring effect, jint value)
{
    plugin->AddRef();
    jint result = -99;
    if (BSTR name = Name(env, effect)) {
        LONG answer = 0;
        const HRESULT hr = plugin->GetCenterX(name, value, &answer);
        SysFreeString(name);
        result = Number(hr, answer);
    }
    plugin->Release();
    return result;
}

// Two names (and an int), boolean result.
inline jboolean EffectSupportsGet(JNIEnv* env, IWebPlugin2* plugin, jstring effect, jint value, jstring parameter)
{
    plugin->AddRef();
    jboolean result = JNI_FALSE;
    if (BSTR name = Name(env, effect)) {
        if (BSTR parameterName = Name(env, parameter)) {
            VARIANT_BOOL answer = 0;
            const HRESULT hr = plugin->EffectSupportsGet(name, value, parameterName, &answer);
            SysFreeString(parameterName);
            result = Flag(hr, answer);
        }
        SysFreeString(name);
    }
    plugin->Release();
    return result;
}

// No argument, String result.
inline jstring GetPluginVersion(JNIEnv* env, IWebPlugin2* plugin)
{
    plugin->AddRef();
    BSTR answer = nullptr;
    const HRESULT hr = plugin->GetPluginVersion(&answer);
    const jstring result = Text(env, hr, answer);
    plugin->Release();
    return result;
}

// A name (and an int), String result.
inline jstring GetEffectTypeName(JNIEnv* env, IWebPlugin2* plugin, jstring effect, jint value)
{
    plugin->AddRef();
    jstring result;
    if (BSTR name = Name(env, effect)) {
        BSTR answer = nullptr;
        const HRESULT hr = plugin->GetEffectTypeName(name, value, &answer);
        SysFreeString(name);
        result = Text(env, hr, answer);
    } else {
        result = env->NewStringUTF("");
    }
    plugin->Release();
    return result;
}

}  // namespace floor

namespace floor_without_refs_or_conversion {

// The Java text is fetched and released, and nothing is made of it.
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
inline jstring Text(JNIEnv* env, BSTR text)
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

inline jboolean StopEffects(JNIEnv*, IWebPlugin2* plugin)
{
    VARIANT_BOOL answer = 0;
    const HRESULT hr = plugin->StopEffects(&answer);
    return Flag(hr, answer);
}

inline jint GetNumberOfEffects(JNIEnv*, IWebPlugin2* plugin, jint value)
{
    LONG answer = 0;
    const HRESULT hr = plugin->GetNumberOfEffects(value, &answer);
    return Number(hr, answer);
}

inline jboolean StartEffect(JNIEnv* env, IWebPlugin2* plugin, BSTR name, jstring effect, jint value)
{
    if (!TouchJavaString(env, effect)) return JNI_FALSE;
    VARIANT_BOOL answer = 0;
    const HRESULT hr = plugin->StartEffect(name, value, &answer);
    return Flag(hr, answer);
}

inline jint GetCenterX(JNIEnv* env, IWebPlugin2* plugin, BSTR name, jstring effect, jint value)
{
    if (!TouchJavaString(env, effect)) return -99;
    LONG answer = 0;
    const HRESULT hr = plugin->GetCenterX(name, value, &answer);
    return Number(hr, answer);
}

inline jboolean EffectSupportsGet(JNIEnv* env, IWebPlugin2* plugin, BSTR name, BSTR parameterName, jstring effect,
                                  jint value, jstring parameter)
{
    if (!TouchJavaString(env, effect) || !TouchJavaString(env, parameter)) return JNI_FALSE;
    VARIANT_BOOL answer = 0;
    const HRESULT hr = plugin->EffectSupportsGet(name, value, parameterName, &answer);
    return Flag(hr, answer);
}

inline jstring GetPluginVersion(JNIEnv* env, IWebPlugin2* plugin)
{
    BSTR answer = nullptr;
    const HRESULT hr = plugin->GetPluginVersion(&answer);
    if (FAILED(hr)) return env->NewStringUTF("");
    return Text(env, answer);
}

inline jstring GetEffectTypeName(JNIEnv* env, IWebPlugin2* plugin, BSTR name, jstring effect, jint value)
{
    if (!TouchJavaString(env, effect)) return nullptr;
    BSTR answer = nullptr;
    const HRESULT hr = plugin->GetEffectTypeName(name, value, &answer);
    if (FAILED(hr)) return env->NewStringUTF("");
    return Text(env, answer);
}

}  // namespace floor_without_refs_or_conversion

}  // namespace jvelweb::bench
