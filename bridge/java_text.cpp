#include "bridge/java_text.h"

#include "bridge/com_error.h"
#include "bridge/text_conversion.h"

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
    if (!text.HasText()) return env->NewStringUTF("");
    // A short text is narrowed on the stack: the same bytes NarrowText would
    // make, without a heap copy that lives only until NewStringUTF returns.
    constexpr size_t kStackBytes = 512;
    const BSTR wide = text.Wide();
    const UINT length = SysStringLen(wide);
    if (length <= kStackBytes / 3) {
        char narrow[kStackBytes + 1];
        EncodeNarrow(wide, length, narrow);
        return env->NewStringUTF(narrow);
    }
    return env->NewStringUTF(text.NarrowText());
}

}  // namespace jvelweb
