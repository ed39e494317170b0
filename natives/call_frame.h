// The call frame shared by every native method but _jni_initialize and
// _jni_delete: borrow the plug-in, turn the Java arguments into COM values,
// call exactly one operation, turn its output into the Java result, and turn
// every COM failure into the fixed failure value plus a report to Trace.
// Every failure path also writes the thread's failure record, under the
// row's Java method name; the success path never touches it.
//
// A native is one row, JVELWEB_NATIVE(slot, result, Name, Java parameter
// types...): the row names the Java method and the operation (they share the
// name), the operation's slot (checked against the operation list at compile
// time), the Java argument types and the result shape. The declaring interface,
// and so the identifier its error information is asked under, comes from the
// operation itself.
#pragma once

#include <jni.h>

#include <cstdio>
#include <tuple>
#include <type_traits>
#include <utility>

#include "bridge/diagnostics.h"
#include "bridge/failure_record.h"
#include "bridge/java_text.h"
#include "bridge/plugin_handle.h"
#include "bridge/trace.h"

namespace jvelweb {

// ---- Result shapes: what the plug-in writes and what Java gets ----

template <class Result>
struct Shape;

template <>
struct Shape<jboolean> {
    using Output = VARIANT_BOOL;
    static jboolean Success(JNIEnv*, VARIANT_BOOL answer) { return answer != 0 ? JNI_TRUE : JNI_FALSE; }
    static jboolean Failure(JNIEnv*) noexcept { return JNI_FALSE; }
    static jboolean WithExceptionPending() noexcept { return JNI_FALSE; }
};

template <>
struct Shape<jint> {
    using Output = LONG;
    static constexpr jint kFailure = -99;
    static jint Success(JNIEnv*, LONG value) { return value; }
    static jint Failure(JNIEnv*) noexcept { return kFailure; }
    static jint WithExceptionPending() noexcept { return kFailure; }
};

template <>
struct Shape<jstring> {
    using Output = BSTR;
    // The BSTR is ours from here on; it is freed once the Java String is made.
    static jstring Success(JNIEnv* env, BSTR text) { return TakeOverJavaString(env, text); }
    static jstring Failure(JNIEnv* env) noexcept { return NewEmptyJavaString(env); }
    // No JNI call is allowed while an exception is pending, so not even the
    // empty String can be made: null is the only sound answer.
    static jstring WithExceptionPending() noexcept { return nullptr; }
};

// ---- Argument passing: Java value to plug-in parameter ----

template <class Java, class Com>
struct Passes : std::false_type {};
template <>
struct Passes<jstring, BSTR> : std::true_type {};
template <>
struct Passes<jint, LONG> : std::true_type {};
template <>
struct Passes<jboolean, VARIANT_BOOL> : std::true_type {};

template <class Result, class Java, class Com, size_t... I>
constexpr bool TypesAgree(std::index_sequence<I...>)
{
    return (Passes<std::tuple_element_t<I, Java>, std::tuple_element_t<I, Com>>::value && ...) &&
           std::is_same_v<std::tuple_element_t<sizeof...(I), Com>, typename Shape<Result>::Output*>;
}

// True when the operation takes, in order, one parameter per Java argument of
// the matching COM type and then exactly the output of the result shape.
template <class Result, class... Java, class Interface, class... Params>
constexpr bool RowMatchesOperation(HRESULT (STDMETHODCALLTYPE Interface::*)(Params...))
{
    if constexpr (sizeof...(Java) + 1 != sizeof...(Params)) {
        return false;
    } else {
        return TypesAgree<Result, std::tuple<Java...>, std::tuple<Params...>>(
            std::make_index_sequence<sizeof...(Java)>{});
    }
}

// A caught error: reported, recorded, the report followed by the line naming
// the method, and the failure value returned.
template <class Result, const char* Method>
Result Refused(JNIEnv* env, const _com_error& error, FailureCause cause) noexcept
{
    ComErrorReport(env, error);
    RecordFailure(Method, cause, error);
    TraceFailedMethod(env, Method);
    return Shape<Result>::Failure(env);
}

// Any other exception (a plug-in that throws through its vtable): traced as
// one line naming the method, recorded as E_UNEXPECTED, and the failure
// value returned. A String native answers null only while a Java exception
// is pending, since then no JNI call may make the empty String.
template <class Result, const char* Method>
Result Unexpected(JNIEnv* env) noexcept
{
    char line[160];
    std::snprintf(line, sizeof line, "JVelWeb: unexpected exception in %s", Method);
    Trace(env, line);
    RecordFailure(Method, FailureCause::ComError, E_UNEXPECTED);
    return env->ExceptionCheck() ? Shape<Result>::WithExceptionPending() : Shape<Result>::Failure(env);
}

// The guarded call: the one place a _com_error is caught. `inputs` are the
// COM values in Java order; the output variable starts at zero (or null), so a
// plug-in that succeeds without writing it hands Java nothing uninitialised.
template <class Result, const char* Method, class Interface, class... Params, class... Inputs>
Result GuardedCall(JNIEnv* env, const PluginRef& plugin, HRESULT (STDMETHODCALLTYPE Interface::*operation)(Params...),
                   Inputs... inputs)
{
    using S = Shape<Result>;
    typename S::Output output{};
    try {
        Interface* target = plugin.Checked();
        const HRESULT hr = (target->*operation)(inputs..., &output);
        if (FAILED(hr)) RaiseComErrorWithInfo(hr, target, DeclaringInterfaceId<Interface>());
    } catch (const _com_error& error) {
        return Refused<Result, Method>(env, error, FailureCause::ComError);
    }
    // The plug-in answered: an error from here on can only be our own
    // allocation failing while the answer becomes a Java value.
    try {
        const Result result = S::Success(env, output);
        // A null String result: the JVM could not make it and an
        // OutOfMemoryError is pending.
        if constexpr (std::is_same_v<Result, jstring>) {
            if (result == nullptr) RecordFailure(Method, FailureCause::OutOfMemory, E_OUTOFMEMORY);
        }
        return result;
    } catch (const _com_error& error) {
        return Refused<Result, Method>(env, error, FailureCause::OutOfMemory);
    }
}

// Converts the Java arguments one by one, in Java order, then hands the COM
// values to `next`. Each String's BSTR lives in this frame's recursion, so
// names are freed in reverse order once the call is over; the first String
// that gives no text ends the native with its failure value, and the Strings
// after it are not looked at. `Position` is the 1-based place in Java order
// of the first argument left, which a null String's record names.
template <class Result, const char* Method, int Position, class Next>
Result WithComArguments(JNIEnv*, Next&& next)
{
    return next();
}

template <class Result, const char* Method, int Position, class Next, class... Rest>
Result WithComArguments(JNIEnv* env, Next&& next, jint value, Rest... rest);
template <class Result, const char* Method, int Position, class Next, class... Rest>
Result WithComArguments(JNIEnv* env, Next&& next, jboolean value, Rest... rest);
template <class Result, const char* Method, int Position, class Next, class... Rest>
Result WithComArguments(JNIEnv* env, Next&& next, jstring text, Rest... rest);

template <class Result, const char* Method, int Position, class Next, class... Rest>
Result WithComArguments(JNIEnv* env, Next&& next, jint value, Rest... rest)
{
    return WithComArguments<Result, Method, Position + 1>(
        env, [&](auto... more) { return next(static_cast<LONG>(value), more...); }, rest...);
}

// A Java boolean is widened by zero extension: false gives 0, true gives 1.
template <class Result, const char* Method, int Position, class Next, class... Rest>
Result WithComArguments(JNIEnv* env, Next&& next, jboolean value, Rest... rest)
{
    return WithComArguments<Result, Method, Position + 1>(
        env, [&](auto... more) { return next(static_cast<VARIANT_BOOL>(value), more...); }, rest...);
}

template <class Result, const char* Method, int Position, class Next, class... Rest>
Result WithComArguments(JNIEnv* env, Next&& next, jstring text, Rest... rest)
{
    JavaName name;
    switch (name.Take(env, text)) {
    case JavaArgument::Taken:
        break;
    case JavaArgument::Null:
        RecordNullArgument(Method, Position);
        return Shape<Result>::Failure(env);
    case JavaArgument::OutOfMemory:  // the BSTR could not be allocated; reported already
        RecordFailure(Method, FailureCause::OutOfMemory, E_OUTOFMEMORY);
        TraceFailedMethod(env, Method);
        return Shape<Result>::Failure(env);
    }
    return WithComArguments<Result, Method, Position + 1>(
        env, [&](auto... more) { return next(name.Wide(), more...); }, rest...);
}

// The whole frame. With no plug-in held it returns the failure value at once,
// before any argument is looked at. `Method` is the Java method's name, for
// the failure record: a template argument, so the success path does not even
// carry it.
template <class Result, const char* Method, class Interface, class... Params, class... Java>
Result CallPlugin(JNIEnv* env, HRESULT (STDMETHODCALLTYPE Interface::*operation)(Params...), Java... arguments) noexcept
{
    try {
        const PluginRef plugin = BorrowPlugin(env, nullptr);
        if (!plugin) {
            // The checked access would raise E_POINTER here. Out of line:
            // this is the beginner's path, not the hot one.
            ReportNoPlugin(env, Method);
            return Shape<Result>::Failure(env);
        }
        return WithComArguments<Result, Method, 1>(
            env, [&](auto... inputs) { return GuardedCall<Result, Method>(env, plugin, operation, inputs...); },
            arguments...);
    } catch (...) {
        // Unreachable by design (allocations do not throw, only _com_error is
        // raised and it is caught above); no exception may reach the JVM, and
        // a String native answers null only while a Java exception is pending.
        return Unexpected<Result, Method>(env);
    }
}

}  // namespace jvelweb

// ---- One row per native ----

#define JVELWEB_NTH_(_1, _2, _3, _4, _5, _6, N, ...) N
#define JVELWEB_PARAMS_1(a) a p1
#define JVELWEB_PARAMS_2(a, b) a p1, b p2
#define JVELWEB_PARAMS_3(a, b, c) a p1, b p2, c p3
#define JVELWEB_PARAMS_4(a, b, c, d) a p1, b p2, c p3, d p4
#define JVELWEB_PARAMS_5(a, b, c, d, e) a p1, b p2, c p3, d p4, e p5
#define JVELWEB_PARAMS_6(a, b, c, d, e, f) a p1, b p2, c p3, d p4, e p5, f p6
#define JVELWEB_NAMES_1(a) p1
#define JVELWEB_NAMES_2(a, b) p1, p2
#define JVELWEB_NAMES_3(a, b, c) p1, p2, p3
#define JVELWEB_NAMES_4(a, b, c, d) p1, p2, p3, p4
#define JVELWEB_NAMES_5(a, b, c, d, e) p1, p2, p3, p4, p5
#define JVELWEB_NAMES_6(a, b, c, d, e, f) p1, p2, p3, p4, p5, p6
#define JVELWEB_PARAMS(...)                                                                                 \
    JVELWEB_NTH_(__VA_ARGS__, JVELWEB_PARAMS_6, JVELWEB_PARAMS_5, JVELWEB_PARAMS_4, JVELWEB_PARAMS_3,      \
                 JVELWEB_PARAMS_2, JVELWEB_PARAMS_1, )(__VA_ARGS__)
#define JVELWEB_NAMES(...)                                                                                  \
    JVELWEB_NTH_(__VA_ARGS__, JVELWEB_NAMES_6, JVELWEB_NAMES_5, JVELWEB_NAMES_4, JVELWEB_NAMES_3,          \
                 JVELWEB_NAMES_2, JVELWEB_NAMES_1, )(__VA_ARGS__)

// Defines Java_com_velmora_jvelweb_JVelWeb_<Name>, which calls operation
// <Name> of the plug-in in `slot`. The generated JNI header declares the same
// function, so a Java signature that disagrees with the row fails the build;
// so does an operation whose parameters do not match the row.
#define JVELWEB_NATIVE(slot, Result, Name, ...)                                                          \
    static_assert(static_cast<int>(::jvelweb::WebPluginSlot::Name) == (slot), #Name " is not in slot " #slot); \
    static_assert(::jvelweb::RowMatchesOperation<Result __VA_OPT__(, __VA_ARGS__)>(&IWebPlugin2::Name),    \
                  #Name ": Java types and plug-in parameters disagree");                                 \
    namespace {                                                                                           \
    constexpr char kJavaName_##Name[] = #Name;                                                            \
    }                                                                                                     \
    extern "C" JNIEXPORT Result JNICALL Java_com_velmora_jvelweb_JVelWeb_##Name(                             \
        JNIEnv* env, jobject __VA_OPT__(, JVELWEB_PARAMS(__VA_ARGS__)))                                      \
    {                                                                                                     \
        return ::jvelweb::CallPlugin<Result, kJavaName_##Name>(                                             \
            env, &IWebPlugin2::Name __VA_OPT__(, JVELWEB_NAMES(__VA_ARGS__)));                               \
    }
