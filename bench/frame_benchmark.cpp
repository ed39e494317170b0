// The call frame alone, without a JVM: our exported natives called directly
// with a lean JNIEnv (a "String" is its ASCII bytes: GetStringLength counts
// them, GetStringRegion widens them, GetStringUTFChars hands them back, the
// release does nothing, NewString and NewStringUTF return a token), against
// the benchmark plug-in; the floors of the same shape (floor_calls.h) under
// the same JNIEnv; and the parts the frame is made of.
//
// Frame benchmarks take the plug-in variant as their argument: shared_line:0
// has the reference count on its own cache line, shared_line:1 next to the
// vtable pointers. Threads:2 runs two threads on the one plug-in, as two Java
// threads would; items_per_second is then the total of both.
#include <benchmark/benchmark.h>
#include <com_velmora_jvelweb_JVelWeb.h>

#include <atomic>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <unistd.h>

#include <cstring>

#include "bench/floor_calls.h"
#include "bridge/java_text.h"
#include "bridge/plugin_handle.h"

namespace {

using namespace jvelweb;
using namespace jvelweb::bench;

// ---- A lean JNIEnv: only the string functions, doing no work of their own ----

jsize JNICALL LeanGetStringLength(JNIEnv*, jstring text)
{
    return static_cast<jsize>(std::strlen(reinterpret_cast<const char*>(text)));
}
void JNICALL LeanGetStringRegion(JNIEnv*, jstring text, jsize start, jsize length, jchar* out)
{
    const auto* bytes = reinterpret_cast<const unsigned char*>(text) + start;
    for (jsize i = 0; i < length; ++i) out[i] = bytes[i];
}
const char* JNICALL LeanGetStringUTFChars(JNIEnv*, jstring text, jboolean* isCopy)
{
    if (isCopy != nullptr) *isCopy = JNI_FALSE;
    return reinterpret_cast<const char*>(text);
}
void JNICALL LeanReleaseStringUTFChars(JNIEnv*, jstring, const char*) {}
char g_madeString;  // every String "made" is this token
jstring JNICALL LeanNewStringUTF(JNIEnv*, const char*) { return reinterpret_cast<jstring>(&g_madeString); }
jstring JNICALL LeanNewString(JNIEnv*, const jchar*, jsize) { return reinterpret_cast<jstring>(&g_madeString); }

struct LeanJni {
    JNINativeInterface_ functions{};
    JNIEnv env{};
    LeanJni()
    {
        functions.GetStringLength = LeanGetStringLength;
        functions.GetStringRegion = LeanGetStringRegion;
        functions.GetStringUTFChars = LeanGetStringUTFChars;
        functions.ReleaseStringUTFChars = LeanReleaseStringUTFChars;
        functions.NewStringUTF = LeanNewStringUTF;
        functions.NewString = LeanNewString;
        env.functions = &functions;
    }
};
LeanJni g_jni;
JNIEnv* Env() { return &g_jni.env; }

// A "Java String" of the lean JNIEnv is its modified UTF-8 bytes.
jstring JavaText(const char* text) { return reinterpret_cast<jstring>(const_cast<char*>(text)); }
const char kEffect[] = "bench-effect-001";  // 16 characters, as in the Java benchmark
const char kParameter[] = "CoefficientX";
const jstring g_effect = JavaText(kEffect);
const jstring g_parameter = JavaText(kParameter);

// ---- The plug-ins ----

IWebPlugin2* g_ownLine = nullptr;
IWebPlugin2* g_sharedLine = nullptr;
BSTR g_effectBstr = nullptr;
BSTR g_parameterBstr = nullptr;

// Every frame benchmark runs on the variant its argument names.
void UseVariant(const benchmark::State& state)
{
    SetPlugin(nullptr, nullptr, state.range(0) != 0 ? g_sharedLine : g_ownLine);
}

template <class Call>
void Loop(benchmark::State& state, Call call)
{
    for (auto _ : state) {
        auto result = call();
        benchmark::DoNotOptimize(result);
    }
    state.SetItemsProcessed(state.iterations());
}

// ---- Our natives, per shape ----

void Frame_StopEffects(benchmark::State& s)
{
    Loop(s, [] { return Java_com_velmora_jvelweb_JVelWeb_StopEffects(Env(), nullptr); });
}
void Frame_GetNumberOfEffects(benchmark::State& s)
{
    Loop(s, [] { return Java_com_velmora_jvelweb_JVelWeb_GetNumberOfEffects(Env(), nullptr, 1); });
}
void Frame_StartEffect(benchmark::State& s)
{
    Loop(s, [] { return Java_com_velmora_jvelweb_JVelWeb_StartEffect(Env(), nullptr, g_effect, 1); });
}
void Frame_GetCenterX(benchmark::State& s)
{
    Loop(s, [] { return Java_com_velmora_jvelweb_JVelWeb_GetCenterX(Env(), nullptr, g_effect, 0); });
}
void Frame_EffectSupportsGet(benchmark::State& s)
{
    Loop(s, [] { return Java_com_velmora_jvelweb_JVelWeb_EffectSupportsGet(Env(), nullptr, g_effect, 0, g_parameter); });
}
void Frame_GetPluginVersion(benchmark::State& s)
{
    Loop(s, [] { return Java_com_velmora_jvelweb_JVelWeb_GetPluginVersion(Env(), nullptr); });
}
void Frame_GetEffectTypeName(benchmark::State& s)
{
    Loop(s, [] { return Java_com_velmora_jvelweb_JVelWeb_GetEffectTypeName(Env(), nullptr, g_effect, 0); });
}

// ---- The floors, per shape (own-line plug-in) ----

void Floor_StopEffects(benchmark::State& s)
{
    Loop(s, [] { return floor::StopEffects(Env(), g_ownLine); });
}
void Floor_GetNumberOfEffects(benchmark::State& s)
{
    Loop(s, [] { return floor::GetNumberOfEffects(Env(), g_ownLine, 1); });
}
void Floor_StartEffect(benchmark::State& s)
{
    Loop(s, [] { return floor::StartEffect(Env(), g_ownLine, g_effect, 1); });
}
void Floor_GetCenterX(benchmark::State& s)
{
    Loop(s, [] { return floor::GetCenterX(Env(), g_ownLine, g_effect, 0); });
}
void Floor_EffectSupportsGet(benchmark::State& s)
{
    Loop(s, [] { return floor::EffectSupportsGet(Env(), g_ownLine, g_effect, 0, g_parameter); });
}
void Floor_GetPluginVersion(benchmark::State& s)
{
    Loop(s, [] { return floor::GetPluginVersion(Env(), g_ownLine); });
}
void Floor_GetEffectTypeName(benchmark::State& s)
{
    Loop(s, [] { return floor::GetEffectTypeName(Env(), g_ownLine, g_effect, 0); });
}

namespace bare = floor_without_refs_or_conversion;

void FloorWithoutRefsOrConversion_StopEffects(benchmark::State& s)
{
    Loop(s, [] { return bare::StopEffects(Env(), g_ownLine); });
}
void FloorWithoutRefsOrConversion_StartEffect(benchmark::State& s)
{
    Loop(s, [] { return bare::StartEffect(Env(), g_ownLine, g_effectBstr, g_effect, 1); });
}
void FloorWithoutRefsOrConversion_EffectSupportsGet(benchmark::State& s)
{
    Loop(s, [] {
        return bare::EffectSupportsGet(Env(), g_ownLine, g_effectBstr, g_parameterBstr, g_effect, 0, g_parameter);
    });
}
void FloorWithoutRefsOrConversion_GetEffectTypeName(benchmark::State& s)
{
    Loop(s, [] { return bare::GetEffectTypeName(Env(), g_ownLine, g_effectBstr, g_effect, 0); });
}

// ---- The parts of the frame ----

// Taking and giving back the per-call reference as the frame does: the
// borrow (the thread's mark set, the slot read again, AddRef, the mark
// cleared), then Release.
void Part_PluginRef(benchmark::State& s)
{
    Loop(s, [] {
        const PluginRef plugin = BorrowPlugin(Env(), nullptr);
        return plugin.Get();
    });
}

// The store-load fence the borrow leaves to _jni_delete: what each call would
// pay if it fenced itself between setting its mark and reading the slot again.
void Part_StoreLoadFence(benchmark::State& s)
{
    Loop(s, [] {
        alignas(64) static thread_local std::atomic<IWebPlugin2*> mark{nullptr};
        mark.store(g_ownLine, std::memory_order_relaxed);
        std::atomic_thread_fence(std::memory_order_seq_cst);
        return mark.load(std::memory_order_relaxed);
    });
}

// A 16-character String argument as the frame takes it: its length, a BSTR
// of that length, its units copied in, the BSTR freed.
void Part_JavaName16(benchmark::State& s)
{
    Loop(s, [] {
        JavaName name;
        name.Take(Env(), g_effect);
        return name.Wide()[0];
    });
}

// A 16-unit BSTR made and freed: malloc, free and the layer's live-string count.
void Part_SysAllocFree16(benchmark::State& s)
{
    Loop(s, [] {
        BSTR wide = SysAllocStringLen(g_effectBstr, 16);
        const OLECHAR first = wide[0];
        SysFreeString(wide);
        return first;
    });
}

// What the record alone costs the allocator: a 24-byte block made and freed.
void Part_Malloc24(benchmark::State& s)
{
    Loop(s, [] {
        void* block = std::malloc(24);
        benchmark::DoNotOptimize(block);
        std::free(block);
        return block != nullptr;
    });
}

// One locked read-modify-write pair (increment, decrement) on a counter of
// this thread's own line: the unit price of the atomics the frame does.
void Part_LockedPairOwnLine(benchmark::State& s)
{
    Loop(s, [] {
        alignas(64) static thread_local std::atomic<LONG> counter{0};
        counter.fetch_add(1, std::memory_order_relaxed);
        return counter.fetch_sub(1, std::memory_order_acq_rel);
    });
}

// The same pair on one counter for all threads, as the plug-in's reference
// count is: with two threads, every operation waits for the line.
void Part_LockedPairSharedLine(benchmark::State& s)
{
    Loop(s, [] {
        alignas(64) static std::atomic<LONG> counter{0};
        counter.fetch_add(1, std::memory_order_relaxed);
        return counter.fetch_sub(1, std::memory_order_acq_rel);
    });
}

// A String result as the frame turns it into Java's: the units up to the
// first zero handed to NewString, the BSTR freed; the BSTR is made here, as
// the plug-in would.
void Part_StringResult(benchmark::State& s)
{
    Loop(s, [] { return TakeOverJavaString(Env(), SysAllocString(OLESTR("1.0.0-bench"))); });
}

// The bare floor's way with the same BSTR: narrowed on the stack.
void Part_StackNarrow(benchmark::State& s)
{
    Loop(s, [] { return bare::Text(Env(), SysAllocString(OLESTR("1.0.0-bench"))); });
}

// The plug-in call alone (StartEffect's slot), no JNI work at all.
void Part_VirtualCall(benchmark::State& s)
{
    Loop(s, [] {
        VARIANT_BOOL answer = 0;
        g_ownLine->StartEffect(g_effectBstr, 1, &answer);
        return answer;
    });
}

#define FRAME(name)                                                                                     \
    BENCHMARK(name)->ArgName("shared_line")->Arg(0)->Arg(1)->Setup(UseVariant)->Threads(1)->Threads(2)->UseRealTime()
#define FLOOR(name) BENCHMARK(name)->Threads(1)->Threads(2)->UseRealTime()
#define PART(name) BENCHMARK(name)->Threads(1)->Threads(2)->UseRealTime()

FRAME(Frame_StopEffects);
FLOOR(Floor_StopEffects);
FLOOR(FloorWithoutRefsOrConversion_StopEffects);
FRAME(Frame_GetNumberOfEffects);
FLOOR(Floor_GetNumberOfEffects);
FRAME(Frame_StartEffect);
FLOOR(Floor_StartEffect);
FLOOR(FloorWithoutRefsOrConversion_StartEffect);
FRAME(Frame_GetCenterX);
FLOOR(Floor_GetCenterX);
FRAME(Frame_EffectSupportsGet);
FLOOR(Floor_EffectSupportsGet);
FLOOR(FloorWithoutRefsOrConversion_EffectSupportsGet);
FRAME(Frame_GetPluginVersion);
FLOOR(Floor_GetPluginVersion);
FRAME(Frame_GetEffectTypeName);
FLOOR(Floor_GetEffectTypeName);
FLOOR(FloorWithoutRefsOrConversion_GetEffectTypeName);

FRAME(Part_PluginRef);
PART(Part_JavaName16);
PART(Part_SysAllocFree16);
PART(Part_Malloc24);
PART(Part_LockedPairOwnLine);
PART(Part_LockedPairSharedLine);
PART(Part_StoreLoadFence);
PART(Part_StringResult);
PART(Part_StackNarrow);
PART(Part_VirtualCall);

// ---- Set-up: the two plug-in variants, created through the per-user registry ----

IWebPlugin2* CreateRegistered(const char* modulePath)
{
    IWebPlugin2* plugin = nullptr;
    HRESULT hr = JVelComRegisterServer(CLSID_VelWebPlugin, modulePath);
    if (SUCCEEDED(hr))
        hr = CoCreateInstance(CLSID_VelWebPlugin, nullptr, CLSCTX_INPROC_SERVER, IID_IWebPlugin2,
                              reinterpret_cast<void**>(&plugin));
    if (FAILED(hr)) {
        std::fprintf(stderr, "frame_benchmark: cannot create the plug-in in %s: 0x%08X\n", modulePath, unsigned(hr));
        return nullptr;
    }
    return plugin;
}

}  // namespace

int main(int argc, char** argv)
{
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;

    // A HOME of our own, so the registrations never touch the user's.
    char home[] = "/tmp/jvelweb-frame-bench-XXXXXX";
    if (mkdtemp(home) == nullptr || setenv("HOME", home, 1) != 0) {
        std::perror("frame_benchmark: temporary HOME");
        return 1;
    }
    if (FAILED(CoInitialize(nullptr))) return 1;
    g_ownLine = CreateRegistered(JVELWEB_BENCH_PLUGIN);
    g_sharedLine = CreateRegistered(JVELWEB_BENCH_PLUGIN_SHARED_LINE);
    JVelComUnregisterServer(CLSID_VelWebPlugin);
    const std::string classes = std::string(home) + "/.jvelcom/classes";
    rmdir(classes.c_str());
    rmdir((std::string(home) + "/.jvelcom").c_str());
    rmdir(home);
    if (g_ownLine == nullptr || g_sharedLine == nullptr) return 1;

    g_effectBstr = SysAllocString(OLESTR("bench-effect-001"));
    g_parameterBstr = SysAllocString(OLESTR("CoefficientX"));
    SetPlugin(nullptr, nullptr, g_ownLine);

    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();

    SetPlugin(nullptr, nullptr, nullptr);
    SysFreeString(g_effectBstr);
    SysFreeString(g_parameterBstr);
    g_ownLine->Release();
    g_sharedLine->Release();
    CoUninitialize();
    return 0;
}
