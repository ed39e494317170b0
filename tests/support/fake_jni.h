// A JNIEnv without a JVM: its function table is value-initialised (every
// entry null) and fills in only what the library uses: the string functions,
// counting them, logging their order, and checking JNI's rules (a region lies
// within its String, and no JNI function is called while an exception is
// pending), ExceptionCheck, and just enough of classes, objects and Throw
// to see which exception a native throws.
#pragma once

#include <jni.h>

#include <cstdarg>
#include <deque>
#include <string>
#include <vector>

namespace jvelweb::testing {

class FakeJni {
public:
    FakeJni();
    FakeJni(const FakeJni&) = delete;
    FakeJni& operator=(const FakeJni&) = delete;

    JNIEnv* Env() { return &env_.env; }

    // A Java String of the UTF-16 units `modifiedUtf8` encodes (the bytes
    // GetStringUTFChars would give for it).
    jstring NewJavaString(const std::string& modifiedUtf8);
    // A String whose length is the largest a Java String can have: no BSTR
    // can hold it, and reading its region is a violation.
    jstring NewUnallocatableJavaString();
    // The modified UTF-8 of a String made by the library (NewString,
    // NewStringUTF).
    const std::string& TextOf(jstring made) const;
    bool MadeByLibrary(jstring s) const;

    // Behaviour: NewString and NewStringUTF fail, leaving an OutOfMemoryError
    // pending, as the JVM does when it cannot allocate the String.
    bool failNewString = false;

    // What happened.
    int lengthCalls = 0;     // GetStringLength
    int regionCalls = 0;     // GetStringRegion
    int newStringCalls = 0;  // NewString and NewStringUTF
    bool exceptionPending = false;
    // Each Throw, as "<class>(<arguments>)": ints in decimal, Strings quoted
    // in modified UTF-8 or null. A Throw leaves an exception pending.
    std::vector<std::string> thrown;
    std::vector<std::string> violations;  // JNI rules broken
    std::vector<std::string> log;         // "length <text>", "region <text>", "new <text>"

    void Reset();

private:
    struct FakeString {
        std::string bytes;      // modified UTF-8
        std::u16string units;   // the same text as UTF-16
        jsize length;           // what GetStringLength answers
        bool madeByLibrary;
    };
    struct EnvBlock {
        JNIEnv env;  // first member: a JNIEnv* is an EnvBlock*
        FakeJni* owner;
    };
    static FakeJni& Of(JNIEnv* env) { return *reinterpret_cast<EnvBlock*>(env)->owner; }
    static jsize JNICALL GetStringLength(JNIEnv* env, jstring s);
    static void JNICALL GetStringRegion(JNIEnv* env, jstring s, jsize start, jsize length, jchar* out);
    static jstring JNICALL NewString(JNIEnv* env, const jchar* units, jsize length);
    static jstring JNICALL NewStringUTF(JNIEnv* env, const char* bytes);
    static jboolean JNICALL ExceptionCheck(JNIEnv* env);
    static jclass JNICALL FindClass(JNIEnv* env, const char* name);
    static jmethodID JNICALL GetMethodID(JNIEnv* env, jclass type, const char* name, const char* signature);
    static jobject JNICALL NewObjectV(JNIEnv* env, jclass type, jmethodID method, va_list arguments);
    static jint JNICALL Throw(JNIEnv* env, jthrowable object);
    FakeString* Find(jstring s, const char* function);
    jstring Made(std::u16string units, std::string bytes);
    void CheckNoExceptionPending(const char* function);

    JNINativeInterface_ functions_{};
    EnvBlock env_;
    std::deque<FakeString> strings_;
    // Classes, constructors and objects: each handle points at its text.
    std::deque<std::string> names_;
};

}  // namespace jvelweb::testing
