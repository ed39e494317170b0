#include "bridge/java_text.h"

#include "bridge/com_error.h"

namespace jvelweb {

JavaArgument JavaName::ReportNoMemoryForText(JNIEnv* env) noexcept
{
    ComErrorReport(env, _com_error(E_OUTOFMEMORY, nullptr));
    return JavaArgument::OutOfMemory;
}

jstring TakeOverJavaString(JNIEnv* env, BSTR text) noexcept
{
    if (text == nullptr) return NewEmptyJavaString(env);
    const UINT length = SysStringLen(text);
    UINT units = 0;
    while (units < length && text[units] != 0) ++units;
    const jstring result = env->NewString(reinterpret_cast<const jchar*>(text), static_cast<jsize>(units));
    SysFreeString(text);
    return result;
}

}  // namespace jvelweb
