#include "tests/support/fake_jni.h"

#include <limits>

#include "fuzz/modified_utf8.h"

namespace jvelweb::testing {

using fuzzing::DecodeModifiedUtf8;
using fuzzing::EncodeModifiedUtf8;

FakeJni::FakeJni()
{
    functions_.GetStringLength = &FakeJni::GetStringLength;
    functions_.GetStringRegion = &FakeJni::GetStringRegion;
    functions_.NewString = &FakeJni::NewString;
    functions_.NewStringUTF = &FakeJni::NewStringUTF;
    functions_.ExceptionCheck = &FakeJni::ExceptionCheck;
    functions_.FindClass = &FakeJni::FindClass;
    functions_.GetMethodID = &FakeJni::GetMethodID;
    functions_.NewObjectV = &FakeJni::NewObjectV;
    functions_.Throw = &FakeJni::Throw;
    env_.env.functions = &functions_;
    env_.owner = this;
}

void FakeJni::Reset()
{
    lengthCalls = regionCalls = newStringCalls = 0;
    exceptionPending = false;
    thrown.clear();
    violations.clear();
    log.clear();
}

jstring FakeJni::NewJavaString(const std::string& modifiedUtf8)
{
    std::u16string units;
    if (!DecodeModifiedUtf8(modifiedUtf8, units)) violations.push_back("a test String that is not modified UTF-8");
    strings_.push_back(FakeString{modifiedUtf8, units, static_cast<jsize>(units.size()), false});
    return reinterpret_cast<jstring>(&strings_.back());
}

jstring FakeJni::NewUnallocatableJavaString()
{
    strings_.push_back(FakeString{"<huge>", u"", std::numeric_limits<jsize>::max(), false});
    return reinterpret_cast<jstring>(&strings_.back());
}

jstring FakeJni::Made(std::u16string units, std::string bytes)
{
    log.push_back("new " + bytes);
    if (failNewString) {
        exceptionPending = true;
        return nullptr;
    }
    const auto length = static_cast<jsize>(units.size());
    strings_.push_back(FakeString{std::move(bytes), std::move(units), length, true});
    return reinterpret_cast<jstring>(&strings_.back());
}

FakeJni::FakeString* FakeJni::Find(jstring s, const char* function)
{
    for (auto& candidate : strings_)
        if (reinterpret_cast<jstring>(&candidate) == s) return &candidate;
    violations.push_back(std::string(function) + " on an unknown or null String");
    return nullptr;
}

const std::string& FakeJni::TextOf(jstring made) const { return reinterpret_cast<const FakeString*>(made)->bytes; }

bool FakeJni::MadeByLibrary(jstring s) const
{
    for (auto& candidate : strings_)
        if (reinterpret_cast<jstring>(const_cast<FakeString*>(&candidate)) == s) return candidate.madeByLibrary;
    return false;
}

void FakeJni::CheckNoExceptionPending(const char* function)
{
    if (exceptionPending) violations.push_back(std::string(function) + " called with an exception pending");
}

jsize JNICALL FakeJni::GetStringLength(JNIEnv* env, jstring s)
{
    FakeJni& self = Of(env);
    self.CheckNoExceptionPending("GetStringLength");
    ++self.lengthCalls;
    FakeString* string = self.Find(s, "GetStringLength");
    if (string == nullptr) return 0;
    self.log.push_back("length " + string->bytes);
    return string->length;
}

void JNICALL FakeJni::GetStringRegion(JNIEnv* env, jstring s, jsize start, jsize length, jchar* out)
{
    FakeJni& self = Of(env);
    self.CheckNoExceptionPending("GetStringRegion");
    ++self.regionCalls;
    FakeString* string = self.Find(s, "GetStringRegion");
    if (string == nullptr) return;
    self.log.push_back("region " + string->bytes);
    if (start < 0 || length < 0 || size_t(start) + size_t(length) > string->units.size()) {
        // The JVM throws StringIndexOutOfBoundsException.
        self.violations.push_back("GetStringRegion outside its String");
        self.exceptionPending = true;
        return;
    }
    for (jsize i = 0; i < length; ++i) out[i] = string->units[size_t(start + i)];
}

jstring JNICALL FakeJni::NewString(JNIEnv* env, const jchar* units, jsize length)
{
    FakeJni& self = Of(env);
    self.CheckNoExceptionPending("NewString");
    ++self.newStringCalls;
    if (units == nullptr || length < 0) {
        self.violations.push_back("NewString of a null pointer or a negative length");
        return nullptr;
    }
    std::u16string text(reinterpret_cast<const char16_t*>(units), size_t(length));
    std::string bytes = EncodeModifiedUtf8(text);
    return self.Made(std::move(text), std::move(bytes));
}

jstring JNICALL FakeJni::NewStringUTF(JNIEnv* env, const char* bytes)
{
    FakeJni& self = Of(env);
    self.CheckNoExceptionPending("NewStringUTF");
    ++self.newStringCalls;
    if (bytes == nullptr) {
        self.violations.push_back("NewStringUTF of a null pointer");
        return nullptr;
    }
    std::u16string units;
    if (!DecodeModifiedUtf8(bytes, units)) self.violations.push_back("NewStringUTF of bytes not modified UTF-8");
    return self.Made(std::move(units), bytes);
}

jboolean JNICALL FakeJni::ExceptionCheck(JNIEnv* env) { return Of(env).exceptionPending ? JNI_TRUE : JNI_FALSE; }

jclass JNICALL FakeJni::FindClass(JNIEnv* env, const char* name)
{
    FakeJni& self = Of(env);
    self.CheckNoExceptionPending("FindClass");
    self.names_.push_back(name);
    return reinterpret_cast<jclass>(&self.names_.back());
}

// The constructor is remembered as its class and its signature.
jmethodID JNICALL FakeJni::GetMethodID(JNIEnv* env, jclass type, const char* name, const char* signature)
{
    FakeJni& self = Of(env);
    self.CheckNoExceptionPending("GetMethodID");
    if (std::string(name) != "<init>") self.violations.push_back(std::string("GetMethodID of ") + name);
    self.names_.push_back(*reinterpret_cast<std::string*>(type) + "\n" + signature);
    return reinterpret_cast<jmethodID>(&self.names_.back());
}

// Reads the arguments the constructor's signature names (int, boolean,
// String): as the JVM does, a mismatch between signature and arguments is
// the caller's undefined behaviour, here a wrong text.
jobject JNICALL FakeJni::NewObjectV(JNIEnv* env, jclass, jmethodID method, va_list arguments)
{
    FakeJni& self = Of(env);
    self.CheckNoExceptionPending("NewObjectV");
    const std::string& constructor = *reinterpret_cast<std::string*>(method);
    const size_t split = constructor.find('\n');
    std::string made = constructor.substr(0, split) + "(";
    const std::string signature = constructor.substr(split + 1);
    const std::string types = signature.substr(1, signature.find(')') - 1);
    for (size_t at = 0; at < types.size(); ++at) {
        if (at > 0 && made.back() != '(') made += ", ";
        if (types[at] == 'I' || types[at] == 'Z') {
            made += std::to_string(va_arg(arguments, jint));
        } else if (types.compare(at, 18, "Ljava/lang/String;") == 0) {
            const auto text = reinterpret_cast<jstring>(va_arg(arguments, jobject));
            const FakeString* string = text == nullptr ? nullptr : self.Find(text, "NewObjectV");
            made += string == nullptr ? "null" : "\"" + string->bytes + "\"";
            at += 17;
        } else {
            self.violations.push_back("NewObjectV of an unexpected signature " + signature);
            return nullptr;
        }
    }
    self.names_.push_back(made + ")");
    return reinterpret_cast<jobject>(&self.names_.back());
}

jint JNICALL FakeJni::Throw(JNIEnv* env, jthrowable object)
{
    FakeJni& self = Of(env);
    self.CheckNoExceptionPending("Throw");
    self.thrown.push_back(*reinterpret_cast<std::string*>(object));
    self.exceptionPending = true;
    return 0;
}

}  // namespace jvelweb::testing
