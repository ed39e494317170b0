#include "tests/support/fake_jni.h"

#include <cstdlib>
#include <cstring>

namespace jvelweb::testing {

FakeJni::FakeJni()
{
    functions_.GetStringUTFChars = &FakeJni::GetStringUTFChars;
    functions_.ReleaseStringUTFChars = &FakeJni::ReleaseStringUTFChars;
    functions_.NewStringUTF = &FakeJni::NewStringUTF;
    functions_.ExceptionCheck = &FakeJni::ExceptionCheck;
    env_.env.functions = &functions_;
    env_.owner = this;
}

FakeJni::~FakeJni()
{
    for (auto& entry : handedOut_) std::free(entry.second);
}

void FakeJni::Reset()
{
    getCharsCalls = releaseCharsCalls = newStringCalls = outstandingChars = 0;
    exceptionPending = false;
    violations.clear();
    log.clear();
}

jstring FakeJni::NewJavaString(const std::string& modifiedUtf8)
{
    strings_.push_back(FakeString{modifiedUtf8, false});
    return reinterpret_cast<jstring>(&strings_.back());
}

FakeJni::FakeString* FakeJni::Find(jstring s)
{
    for (auto& candidate : strings_)
        if (reinterpret_cast<jstring>(&candidate) == s) return &candidate;
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

const char* JNICALL FakeJni::GetStringUTFChars(JNIEnv* env, jstring s, jboolean* isCopy)
{
    FakeJni& self = Of(env);
    self.CheckNoExceptionPending("GetStringUTFChars");
    ++self.getCharsCalls;
    FakeString* string = self.Find(s);
    if (string == nullptr) {
        self.violations.push_back("GetStringUTFChars on an unknown or null String");
        return nullptr;
    }
    self.log.push_back("get " + string->bytes);
    if (isCopy != nullptr) self.violations.push_back("GetStringUTFChars given a copy flag");
    if (self.giveNoCharacters) {
        self.exceptionPending = true;
        return nullptr;
    }
    char* chars = static_cast<char*>(std::malloc(string->bytes.size() + 1));
    std::memcpy(chars, string->bytes.c_str(), string->bytes.size() + 1);
    self.handedOut_.emplace_back(s, chars);
    ++self.outstandingChars;
    return chars;
}

void JNICALL FakeJni::ReleaseStringUTFChars(JNIEnv* env, jstring s, const char* chars)
{
    FakeJni& self = Of(env);
    self.CheckNoExceptionPending("ReleaseStringUTFChars");
    ++self.releaseCharsCalls;
    for (auto it = self.handedOut_.begin(); it != self.handedOut_.end(); ++it) {
        if (it->second == chars) {
            if (it->first != s) self.violations.push_back("characters released with another String");
            self.log.push_back("release " + std::string(chars));
            std::memset(it->second, '#', std::strlen(it->second));  // poison: later reads show up
            std::free(it->second);
            self.handedOut_.erase(it);
            --self.outstandingChars;
            return;
        }
    }
    self.violations.push_back("ReleaseStringUTFChars of characters never handed out");
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
    self.log.push_back("new " + std::string(bytes));
    if (self.failNewString) {
        self.exceptionPending = true;
        return nullptr;
    }
    self.strings_.push_back(FakeString{bytes, true});
    return reinterpret_cast<jstring>(&self.strings_.back());
}

jboolean JNICALL FakeJni::ExceptionCheck(JNIEnv* env) { return Of(env).exceptionPending ? JNI_TRUE : JNI_FALSE; }

}  // namespace jvelweb::testing
