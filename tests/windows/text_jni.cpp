#include "tests/windows/text_jni.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <utility>

namespace jvelweb::testing {
namespace {

// Any other JNI function: the native needed more of JNI than this env gives.
// It never returns, so the arguments the caller pushed do not matter.
template <size_t Index>
void JNICALL Unexpected()
{
    std::fprintf(stderr, "FAILED: the library called JNI function table entry %u, which this env lacks\n",
                 unsigned(Index));
    std::fflush(stderr);
    std::_Exit(3);
}

template <size_t... I>
void FillWithUnexpected(void** entries, std::index_sequence<I...>)
{
    ((entries[I] = reinterpret_cast<void*>(&Unexpected<I>)), ...);
}

}  // namespace

TextJni::TextJni()
{
    constexpr size_t kEntries = sizeof(JNINativeInterface_) / sizeof(void*);
    FillWithUnexpected(reinterpret_cast<void**>(&functions_), std::make_index_sequence<kEntries>{});
    functions_.GetStringUTFChars = &GetStringUTFChars;
    functions_.ReleaseStringUTFChars = &ReleaseStringUTFChars;
    functions_.NewStringUTF = &NewStringUTF;
    functions_.GetStringLength = &GetStringLength;
    functions_.GetStringRegion = &GetStringRegion;
    functions_.GetStringCritical = &GetStringCritical;
    functions_.ReleaseStringCritical = &ReleaseStringCritical;
    functions_.NewString = &NewString;
    functions_.ExceptionCheck = &ExceptionCheck;
    block_.env.functions = &functions_;
    block_.owner = this;
}

std::u16string TextJni::FromModifiedUtf8(const char* bytes)
{
    std::u16string text;
    for (auto p = reinterpret_cast<const unsigned char*>(bytes); *p != 0;) {
        if (*p < 0x80) {
            text += char16_t(*p++);
        } else if ((*p & 0xE0) == 0xC0 && p[1] != 0) {
            text += char16_t(((p[0] & 0x1F) << 6) | (p[1] & 0x3F));
            p += 2;
        } else if ((*p & 0xF0) == 0xE0 && p[1] != 0 && p[2] != 0) {
            text += char16_t(((p[0] & 0x0F) << 12) | ((p[1] & 0x3F) << 6) | (p[2] & 0x3F));
            p += 3;
        } else {
            text += u'\uFFFD';
            ++p;
        }
    }
    return text;
}

std::string TextJni::ToModifiedUtf8(const std::u16string& text)
{
    std::string bytes;
    for (char16_t unit : text) {
        if (unit != 0 && unit < 0x80) {
            bytes += char(unit);
        } else if (unit < 0x800) {
            bytes += char(0xC0 | (unit >> 6));
            bytes += char(0x80 | (unit & 0x3F));
        } else {
            bytes += char(0xE0 | (unit >> 12));
            bytes += char(0x80 | ((unit >> 6) & 0x3F));
            bytes += char(0x80 | (unit & 0x3F));
        }
    }
    return bytes;
}

jstring TextJni::Make(std::u16string text)
{
    strings_.push_back(JavaString{std::move(text), true});
    return reinterpret_cast<jstring>(&strings_.back());
}

jstring TextJni::NewJavaString(const std::u16string& text)
{
    strings_.push_back(JavaString{text, false});
    return reinterpret_cast<jstring>(&strings_.back());
}

TextJni::JavaString* TextJni::Find(jstring s, const char* function)
{
    for (auto& candidate : strings_)
        if (reinterpret_cast<jstring>(&candidate) == s) return &candidate;
    violations.push_back(std::string(function) + " on an unknown or null String");
    return nullptr;
}

bool TextJni::MadeByLibrary(jstring s) const
{
    for (auto& candidate : strings_)
        if (reinterpret_cast<jstring>(const_cast<JavaString*>(&candidate)) == s) return candidate.madeByLibrary;
    return false;
}

const std::u16string& TextJni::TextOf(jstring s) const { return reinterpret_cast<const JavaString*>(s)->text; }

const char* JNICALL TextJni::GetStringUTFChars(JNIEnv* env, jstring s, jboolean* isCopy)
{
    TextJni& self = Of(env);
    JavaString* string = self.Find(s, "GetStringUTFChars");
    if (string == nullptr) return nullptr;
    if (isCopy != nullptr) *isCopy = JNI_TRUE;
    const std::string bytes = ToModifiedUtf8(string->text);
    auto copy = std::make_unique<char[]>(bytes.size() + 1);
    std::memcpy(copy.get(), bytes.c_str(), bytes.size() + 1);
    const char* chars = copy.get();
    self.utf8Out_.emplace_back(s, std::move(copy));
    ++self.outstanding;
    return chars;
}

void JNICALL TextJni::ReleaseStringUTFChars(JNIEnv* env, jstring s, const char* chars)
{
    TextJni& self = Of(env);
    for (auto it = self.utf8Out_.begin(); it != self.utf8Out_.end(); ++it) {
        if (it->second.get() != chars) continue;
        if (it->first != s) self.violations.push_back("UTF-8 characters released with another String");
        std::memset(it->second.get(), '#', std::strlen(chars));  // poison: later reads show up
        self.utf8Out_.erase(it);
        --self.outstanding;
        return;
    }
    self.violations.push_back("ReleaseStringUTFChars of characters never handed out");
}

jstring JNICALL TextJni::NewStringUTF(JNIEnv* env, const char* bytes)
{
    TextJni& self = Of(env);
    if (bytes == nullptr) {
        self.violations.push_back("NewStringUTF of a null pointer");
        return nullptr;
    }
    return self.Make(FromModifiedUtf8(bytes));
}

jsize JNICALL TextJni::GetStringLength(JNIEnv* env, jstring s)
{
    JavaString* string = Of(env).Find(s, "GetStringLength");
    return string == nullptr ? 0 : jsize(string->text.size());
}

void JNICALL TextJni::GetStringRegion(JNIEnv* env, jstring s, jsize start, jsize length, jchar* out)
{
    TextJni& self = Of(env);
    JavaString* string = self.Find(s, "GetStringRegion");
    if (string == nullptr) return;
    if (start < 0 || length < 0 || size_t(start) + size_t(length) > string->text.size()) {
        self.violations.push_back("GetStringRegion out of bounds");
        return;
    }
    std::memcpy(out, string->text.data() + start, size_t(length) * sizeof(jchar));
}

const jchar* JNICALL TextJni::GetStringCritical(JNIEnv* env, jstring s, jboolean* isCopy)
{
    TextJni& self = Of(env);
    JavaString* string = self.Find(s, "GetStringCritical");
    if (string == nullptr) return nullptr;
    if (isCopy != nullptr) *isCopy = JNI_FALSE;
    const jchar* chars = reinterpret_cast<const jchar*>(string->text.c_str());
    self.criticalOut_.emplace_back(s, chars);
    ++self.outstanding;
    return chars;
}

void JNICALL TextJni::ReleaseStringCritical(JNIEnv* env, jstring s, const jchar* chars)
{
    TextJni& self = Of(env);
    for (auto it = self.criticalOut_.begin(); it != self.criticalOut_.end(); ++it) {
        if (it->second != chars) continue;
        if (it->first != s) self.violations.push_back("critical characters released with another String");
        self.criticalOut_.erase(it);
        --self.outstanding;
        return;
    }
    self.violations.push_back("ReleaseStringCritical of characters never handed out");
}

jstring JNICALL TextJni::NewString(JNIEnv* env, const jchar* units, jsize length)
{
    TextJni& self = Of(env);
    if (length < 0 || (units == nullptr && length > 0)) {
        self.violations.push_back("NewString of a null or negative-length text");
        return nullptr;
    }
    return self.Make(std::u16string(reinterpret_cast<const char16_t*>(units), size_t(length)));
}

jboolean JNICALL TextJni::ExceptionCheck(JNIEnv*) { return JNI_FALSE; }

}  // namespace jvelweb::testing
