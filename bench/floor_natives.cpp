// libjvelweb_floor: the natives of com.velmora.jvelweb.bench.Floor and of
// FloorWithoutRefsOrConversion. The shapes do the floors' work (floor_calls.h)
// on the floors' own plug-in instance; Floor's static helpers set the
// benchmark up (registration, creation, live counts).
#include <com_velmora_jvelweb_JVelWeb.h>
#include <com_velmora_jvelweb_bench_Floor.h>
#include <com_velmora_jvelweb_bench_FloorWithoutRefsOrConversion.h>

#include <sched.h>
#include <unistd.h>

#include <cerrno>
#include <type_traits>

#include "bench/floor_calls.h"

using namespace jvelweb::bench;

// Each floor native has the C signature, and so the Java signature, of ours.
#define FLOOR_SAME_SIGNATURE(Name)                                                                   \
    static_assert(std::is_same_v<decltype(Java_com_velmora_jvelweb_JVelWeb_##Name),                 \
                                 decltype(Java_com_velmora_jvelweb_bench_Floor_##Name)>,            \
                  #Name ": the floor's signature differs from JVelWeb's");                         \
    static_assert(std::is_same_v<decltype(Java_com_velmora_jvelweb_JVelWeb_##Name),                 \
                                 decltype(Java_com_velmora_jvelweb_bench_FloorWithoutRefsOrConversion_##Name)>, \
                  #Name ": the bare floor's signature differs from JVelWeb's");
FLOOR_SAME_SIGNATURE(StopEffects)
FLOOR_SAME_SIGNATURE(GetNumberOfEffects)
FLOOR_SAME_SIGNATURE(StartEffect)
FLOOR_SAME_SIGNATURE(GetCenterX)
FLOOR_SAME_SIGNATURE(EffectSupportsGet)
FLOOR_SAME_SIGNATURE(GetPluginVersion)
FLOOR_SAME_SIGNATURE(GetEffectTypeName)
#undef FLOOR_SAME_SIGNATURE

namespace {

// Set once by open() before any shape runs and cleared by close() after the
// last; read-only while calls run, as JVelWeb's own plug-in slot is.
IWebPlugin2* g_plugin = nullptr;
BSTR g_name = nullptr;
BSTR g_parameterName = nullptr;

// A BSTR of the Java text, ASCII widened unit by unit (set-up only).
BSTR MakeName(JNIEnv* env, jstring text)
{
    if (text == nullptr) return nullptr;
    const char* chars = env->GetStringUTFChars(text, nullptr);
    if (chars == nullptr) return nullptr;
    UINT length = 0;
    while (chars[length] != 0) ++length;
    BSTR name = SysAllocStringLen(nullptr, length);
    for (UINT i = 0; name != nullptr && i < length; ++i) name[i] = static_cast<unsigned char>(chars[i]);
    env->ReleaseStringUTFChars(text, chars);
    return name;
}

void CloseAll()
{
    if (g_plugin != nullptr) g_plugin->Release();
    g_plugin = nullptr;
    SysFreeString(g_name);
    SysFreeString(g_parameterName);
    g_name = g_parameterName = nullptr;
}

}  // namespace

extern "C" {

JNIEXPORT jint JNICALL Java_com_velmora_jvelweb_bench_Floor_open(JNIEnv* env, jclass, jstring effectName,
                                                                   jstring parameterName)
{
    CloseAll();
    HRESULT hr = CoInitialize(nullptr);
    if (FAILED(hr)) return hr;
    hr = CoCreateInstance(CLSID_VelWebPlugin, nullptr, CLSCTX_INPROC_SERVER, IID_IWebPlugin2,
                          reinterpret_cast<void**>(&g_plugin));
    if (FAILED(hr)) return hr;
    g_name = MakeName(env, effectName);
    g_parameterName = MakeName(env, parameterName);
    if (g_name == nullptr || g_parameterName == nullptr) {
        CloseAll();
        return E_OUTOFMEMORY;
    }
    return S_OK;
}

JNIEXPORT void JNICALL Java_com_velmora_jvelweb_bench_Floor_close(JNIEnv*, jclass) { CloseAll(); }

JNIEXPORT jlong JNICALL Java_com_velmora_jvelweb_bench_Floor_pluginPointer(JNIEnv*, jclass)
{
    return static_cast<jlong>(reinterpret_cast<intptr_t>(g_plugin));
}

JNIEXPORT jint JNICALL Java_com_velmora_jvelweb_bench_Floor_registerPlugin(JNIEnv* env, jclass, jstring path)
{
    if (path == nullptr) return E_POINTER;
    const char* chars = env->GetStringUTFChars(path, nullptr);
    if (chars == nullptr) return E_OUTOFMEMORY;
    const HRESULT hr = JVelComRegisterServer(CLSID_VelWebPlugin, chars);
    env->ReleaseStringUTFChars(path, chars);
    return hr;
}

JNIEXPORT jint JNICALL Java_com_velmora_jvelweb_bench_Floor_unregisterPlugin(JNIEnv*, jclass)
{
    return JVelComUnregisterServer(CLSID_VelWebPlugin);
}

JNIEXPORT jint JNICALL Java_com_velmora_jvelweb_bench_Floor_pinThisThread(JNIEnv*, jclass, jint cpu)
{
    cpu_set_t set;
    CPU_ZERO(&set);
    const long cpus = sysconf(_SC_NPROCESSORS_ONLN);
    for (long i = 0; i < cpus && i < CPU_SETSIZE; ++i)
        if (cpu < 0 || i == cpu) CPU_SET(i, &set);
    return sched_setaffinity(0, sizeof set, &set) == 0 ? 0 : errno;
}

JNIEXPORT jint JNICALL Java_com_velmora_jvelweb_bench_Floor_liveStrings(JNIEnv*, jclass)
{
    return JVelComLiveStrings();
}

JNIEXPORT jint JNICALL Java_com_velmora_jvelweb_bench_Floor_liveErrorObjects(JNIEnv*, jclass)
{
    return JVelComLiveErrorObjects();
}

// ---- The shapes: the floor ----

JNIEXPORT jboolean JNICALL Java_com_velmora_jvelweb_bench_Floor_StopEffects(JNIEnv* env, jobject)
{
    return floor::StopEffects(env, g_plugin);
}

JNIEXPORT jint JNICALL Java_com_velmora_jvelweb_bench_Floor_GetNumberOfEffects(JNIEnv* env, jobject, jint value)
{
    return floor::GetNumberOfEffects(env, g_plugin, value);
}

JNIEXPORT jboolean JNICALL Java_com_velmora_jvelweb_bench_Floor_StartEffect(JNIEnv* env, jobject, jstring effect,
                                                                            jint value)
{
    return floor::StartEffect(env, g_plugin, effect, value);
}

JNIEXPORT jint JNICALL Java_com_velmora_jvelweb_bench_Floor_GetCenterX(JNIEnv* env, jobject, jstring effect,
                                                                       jint value)
{
    return floor::GetCenterX(env, g_plugin, effect, value);
}

JNIEXPORT jboolean JNICALL Java_com_velmora_jvelweb_bench_Floor_EffectSupportsGet(JNIEnv* env, jobject,
                                                                                  jstring effect, jint value,
                                                                                  jstring parameter)
{
    return floor::EffectSupportsGet(env, g_plugin, effect, value, parameter);
}

JNIEXPORT jstring JNICALL Java_com_velmora_jvelweb_bench_Floor_GetPluginVersion(JNIEnv* env, jobject)
{
    return floor::GetPluginVersion(env, g_plugin);
}

JNIEXPORT jstring JNICALL Java_com_velmora_jvelweb_bench_Floor_GetEffectTypeName(JNIEnv* env, jobject,
                                                                                 jstring effect, jint value)
{
    return floor::GetEffectTypeName(env, g_plugin, effect, value);
}

// ---- The shapes: the floor without references or conversion ----

namespace bare = floor_without_refs_or_conversion;

JNIEXPORT jboolean JNICALL Java_com_velmora_jvelweb_bench_FloorWithoutRefsOrConversion_StopEffects(JNIEnv* env,
                                                                                                    jobject)
{
    return bare::StopEffects(env, g_plugin);
}

JNIEXPORT jint JNICALL Java_com_velmora_jvelweb_bench_FloorWithoutRefsOrConversion_GetNumberOfEffects(JNIEnv* env,
                                                                                                       jobject,
                                                                                                       jint value)
{
    return bare::GetNumberOfEffects(env, g_plugin, value);
}

JNIEXPORT jboolean JNICALL Java_com_velmora_jvelweb_bench_FloorWithoutRefsOrConversion_StartEffect(JNIEnv* env,
                                                                                                    jobject,
                                                                                                    jstring effect,
                                                                                                    jint value)
{
    return bare::StartEffect(env, g_plugin, g_name, effect, value);
}

JNIEXPORT jint JNICALL Java_com_velmora_jvelweb_bench_FloorWithoutRefsOrConversion_GetCenterX(JNIEnv* env, jobject,
                                                                                               jstring effect,
                                                                                               jint value)
{
    return bare::GetCenterX(env, g_plugin, g_name, effect, value);
}

JNIEXPORT jboolean JNICALL Java_com_velmora_jvelweb_bench_FloorWithoutRefsOrConversion_EffectSupportsGet(
    JNIEnv* env, jobject, jstring effect, jint value, jstring parameter)
{
    return bare::EffectSupportsGet(env, g_plugin, g_name, g_parameterName, effect, value, parameter);
}

JNIEXPORT jstring JNICALL Java_com_velmora_jvelweb_bench_FloorWithoutRefsOrConversion_GetPluginVersion(JNIEnv* env,
                                                                                                        jobject)
{
    return bare::GetPluginVersion(env, g_plugin);
}

JNIEXPORT jstring JNICALL Java_com_velmora_jvelweb_bench_FloorWithoutRefsOrConversion_GetEffectTypeName(
    JNIEnv* env, jobject, jstring effect, jint value)
{
    return bare::GetEffectTypeName(env, g_plugin, g_name, effect, value);
}

}  // extern "C"
