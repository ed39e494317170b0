// A JNIEnv without a JVM: its function table is value-initialised (every
// entry null) and fills in only what the library uses, the three string
// functions (counting them, logging their order, and checking JNI's rules:
// characters are released with the String they came from, and no such
// function is called while an exception is pending) and ExceptionCheck.
#pragma once

#include <jni.h>

#include <deque>
#include <string>
#include <vector>

namespace jvelweb::testing {

class FakeJni {
public:
    FakeJni();
    FakeJni(const FakeJni&) = delete;
    FakeJni& operator=(const FakeJni&) = delete;
    ~FakeJni();

    JNIEnv* Env() { return &env_.env; }

    // A Java String whose GetStringUTFChars gives `modifiedUtf8`.
    jstring NewJavaString(const std::string& modifiedUtf8);
    // The bytes a String made by the library (NewStringUTF) was made from.
    const std::string& TextOf(jstring made) const;
    bool MadeByLibrary(jstring s) const;

    // Behaviour: GetStringUTFChars gives no characters (as the JVM does when
    // out of memory, leaving an OutOfMemoryError pending); NewStringUTF fails.
    bool giveNoCharacters = false;
    bool failNewString = false;

    // What happened.
    int getCharsCalls = 0;
    int releaseCharsCalls = 0;
    int newStringCalls = 0;
    int outstandingChars = 0;                 // got and not yet released
    bool exceptionPending = false;
    std::vector<std::string> violations;      // JNI rules broken
    std::vector<std::string> log;             // "get <text>", "release <text>", "new <text>"

    void Reset();
    int JniCalls() const { return getCharsCalls + releaseCharsCalls + newStringCalls; }

private:
    struct FakeString {
        std::string bytes;
        bool madeByLibrary;
    };
    struct EnvBlock {
        JNIEnv env;  // first member: a JNIEnv* is an EnvBlock*
        FakeJni* owner;
    };
    static FakeJni& Of(JNIEnv* env) { return *reinterpret_cast<EnvBlock*>(env)->owner; }
    static const char* JNICALL GetStringUTFChars(JNIEnv* env, jstring s, jboolean* isCopy);
    static void JNICALL ReleaseStringUTFChars(JNIEnv* env, jstring s, const char* chars);
    static jstring JNICALL NewStringUTF(JNIEnv* env, const char* bytes);
    static jboolean JNICALL ExceptionCheck(JNIEnv* env);
    FakeString* Find(jstring s);
    void CheckNoExceptionPending(const char* function);

    JNINativeInterface_ functions_{};
    EnvBlock env_;
    std::deque<FakeString> strings_;
    std::vector<std::pair<jstring, char*>> handedOut_;
};

}  // namespace jvelweb::testing
