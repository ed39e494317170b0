// What a 32-bit JVM and 32-bit COM expect of the binary interface, confirmed
// when the export caller compiles: the natives are JNICALL (__stdcall, the
// callee pops its arguments), every vtable entry of the plug-in's interfaces
// is a __stdcall member returning HRESULT, and the types that cross have the
// sizes the callers push. The 64-bit build checks the same with that
// platform's sizes (there __stdcall is the one convention).
#pragma once

#include <jni.h>

#include <type_traits>

#include "platform/com.h"
#include "plugin/web_plugin.h"

namespace jvelweb::testing {

template <class R, class... A>
constexpr bool IsJniCall(R(JNICALL*)(A...))
{
    return true;
}
constexpr bool IsJniCall(...) { return false; }

constexpr bool kIs32Bit = sizeof(void*) == 4;

static_assert(sizeof(VARIANT) == (kIs32Bit ? 16 : 24), "VARIANT is 16 bytes in 32-bit COM");
static_assert(sizeof(BSTR) == sizeof(void*) && sizeof(BSTR) == (kIs32Bit ? 4 : 8), "a BSTR is a pointer");
static_assert(sizeof(LONG) == 4 && sizeof(VARIANT_BOOL) == 2 && sizeof(HRESULT) == 4, "COM scalars");
static_assert(sizeof(jint) == 4 && sizeof(jboolean) == 1 && sizeof(jchar) == 2, "JNI scalars");
static_assert(sizeof(jstring) == sizeof(void*) && sizeof(JNIEnv*) == sizeof(void*), "JNI references");
static_assert(sizeof(JNINativeInterface_) % sizeof(void*) == 0, "the JNI function table is a table of pointers");

// Each vtable entry, from the operation list: a __stdcall member of the
// interface that declares it, with the parameters the plug-in documents.
#define JVELWEB_ASSERT_ENTRY_1(slot, name, params)                                                \
    static_assert(std::is_same_v<decltype(&IWebPlugin::name), HRESULT(__stdcall IWebPlugin::*) params>, #name);
#define JVELWEB_ASSERT_ENTRY_2(slot, name, params)                                                \
    static_assert(std::is_same_v<decltype(&IWebPlugin2::name), HRESULT(__stdcall IWebPlugin2::*) params>, #name);
JVELWEB_IWEBPLUGIN_OPERATIONS(JVELWEB_ASSERT_ENTRY_1)
JVELWEB_IWEBPLUGIN2_OPERATIONS(JVELWEB_ASSERT_ENTRY_2)
#undef JVELWEB_ASSERT_ENTRY_1
#undef JVELWEB_ASSERT_ENTRY_2

// IUnknown's and IDispatch's entries, which precede slot 7, too.
static_assert(std::is_same_v<decltype(&IUnknown::Release), ULONG(__stdcall IUnknown::*)()>, "Release");
static_assert(std::is_same_v<decltype(&IDispatch::Invoke),
                             HRESULT(__stdcall IDispatch::*)(DISPID, REFIID, LCID, WORD, DISPPARAMS*, VARIANT*,
                                                             EXCEPINFO*, UINT*)>,
              "Invoke");

}  // namespace jvelweb::testing
