#include "bridge/java_text.h"

#include "bridge/com_error.h"

namespace jvelweb {

JavaArgument TakeJavaString(JNIEnv* env, jstring text, SharedWideString& name) noexcept
{
    if (text == nullptr) return JavaArgument::Null;
    const char* chars = env->GetStringUTFChars(text, nullptr);
    if (chars == nullptr) return JavaArgument::Pending;
    try {
        name = SharedWideString::FromNarrow(chars);
    } catch (const _com_error& error) {
        env->ReleaseStringUTFChars(text, chars);
        ComErrorReport(env, error);
        return JavaArgument::Failed;
    }
    env->ReleaseStringUTFChars(text, chars);
    return JavaArgument::Taken;
}

jstring NewJavaString(JNIEnv* env, SharedWideString& text)
{
    return env->NewStringUTF(text.HasText() ? text.NarrowText() : "");
}

}  // namespace jvelweb
