// The natives as data: each row binds one exported native to a uniform
// invoker, with the Java parameter types and result shape read off its C++
// signature (which the generated JNI header fixes).
#pragma once

#include <jni.h>

#include <functional>
#include <ostream>
#include <string>
#include <utility>
#include <vector>

#include "platform/com.h"

namespace jvelweb::testing {

enum class JavaType { String, Int, Boolean };

struct JavaValue {
    jstring string = nullptr;
    jint number = 0;
    jboolean flag = JNI_FALSE;
};

struct NativeResult {
    JavaType type;
    jboolean flag = JNI_FALSE;
    jint number = 0;
    jstring string = nullptr;
};

struct BoundNative {
    std::vector<JavaType> parameters;
    JavaType result;
    std::function<NativeResult(JNIEnv*, const std::vector<JavaValue>&)> call;
};

template <class J>
constexpr JavaType TypeOf()
{
    if constexpr (std::is_same_v<J, jstring>) return JavaType::String;
    else if constexpr (std::is_same_v<J, jint>) return JavaType::Int;
    else return JavaType::Boolean;
}

template <class J>
J Pick(const JavaValue& value)
{
    if constexpr (std::is_same_v<J, jstring>) return value.string;
    else if constexpr (std::is_same_v<J, jint>) return value.number;
    else return value.flag;
}

template <class R>
NativeResult Wrap(R r)
{
    NativeResult result{TypeOf<R>()};
    if constexpr (std::is_same_v<R, jstring>) result.string = r;
    else if constexpr (std::is_same_v<R, jint>) result.number = r;
    else result.flag = r;
    return result;
}

template <class R, class... J, size_t... I>
NativeResult Invoke(R(JNICALL* native)(JNIEnv*, jobject, J...), JNIEnv* env, const std::vector<JavaValue>& values,
                    std::index_sequence<I...>)
{
    return Wrap(native(env, nullptr, Pick<J>(values[I])...));
}

template <class R, class... J>
BoundNative Bind(R(JNICALL* native)(JNIEnv*, jobject, J...))
{
    return BoundNative{{TypeOf<J>()...}, TypeOf<R>(), [native](JNIEnv* env, const std::vector<JavaValue>& values) {
                           return Invoke(native, env, values, std::index_sequence_for<J...>{});
                       }};
}

struct NativeRow {
    const char* name;
    int slot;
    const IID* declaringInterface;
    BoundNative native;
};

const std::vector<NativeRow>& AllNatives();

// gtest names a row by its Java method in messages.
inline void PrintTo(const NativeRow& row, std::ostream* out) { *out << row.name; }

}  // namespace jvelweb::testing
