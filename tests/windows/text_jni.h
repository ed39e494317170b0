// A JNIEnv for calling jvelweb.dll's exports without a JVM. Its Strings are
// UTF-16, as a JVM's are, and it serves both ways the library may read and
// make them: the modified UTF-8 functions (GetStringUTFChars, NewStringUTF)
// and the UTF-16 ones (GetStringLength, GetStringRegion, GetStringCritical,
// NewString). Every other entry of the function table stops the program with
// the entry's index, so a native that needs more of JNI shows up by name.
#pragma once

#include <jni.h>

#include <deque>
#include <memory>
#include <string>
#include <vector>

namespace jvelweb::testing {

class TextJni {
public:
    TextJni();
    TextJni(const TextJni&) = delete;
    TextJni& operator=(const TextJni&) = delete;

    JNIEnv* Env() { return &block_.env; }

    jstring NewJavaString(const std::u16string& text);
    bool MadeByLibrary(jstring s) const;
    // The text of a String (UTF-16), and the same as modified UTF-8.
    const std::u16string& TextOf(jstring s) const;

    // Characters handed out and not yet given back; JNI rules broken.
    int outstanding = 0;
    std::vector<std::string> violations;

    static std::u16string FromModifiedUtf8(const char* bytes);
    static std::string ToModifiedUtf8(const std::u16string& text);

private:
    struct JavaString {
        std::u16string text;
        bool madeByLibrary;
    };
    struct Block {
        JNIEnv env;  // first member: a JNIEnv* is a Block*
        TextJni* owner;
    };
    static TextJni& Of(JNIEnv* env) { return *reinterpret_cast<Block*>(env)->owner; }
    JavaString* Find(jstring s, const char* function);
    jstring Make(std::u16string text);

    static const char* JNICALL GetStringUTFChars(JNIEnv*, jstring, jboolean*);
    static void JNICALL ReleaseStringUTFChars(JNIEnv*, jstring, const char*);
    static jstring JNICALL NewStringUTF(JNIEnv*, const char*);
    static jsize JNICALL GetStringLength(JNIEnv*, jstring);
    static void JNICALL GetStringRegion(JNIEnv*, jstring, jsize, jsize, jchar*);
    static const jchar* JNICALL GetStringCritical(JNIEnv*, jstring, jboolean*);
    static void JNICALL ReleaseStringCritical(JNIEnv*, jstring, const jchar*);
    static jstring JNICALL NewString(JNIEnv*, const jchar*, jsize);
    static jboolean JNICALL ExceptionCheck(JNIEnv*);

    JNINativeInterface_ functions_;
    Block block_;
    std::deque<JavaString> strings_;
    std::vector<std::pair<jstring, std::unique_ptr<char[]>>> utf8Out_;  // copies handed out
    std::vector<std::pair<jstring, const jchar*>> criticalOut_;
};

}  // namespace jvelweb::testing
