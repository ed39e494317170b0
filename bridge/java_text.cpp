#include "bridge/java_text.h"

#include "bridge/com_error.h"

namespace jvelweb {

JavaArgument JavaName::ReportNoMemoryForText(JNIEnv* env) noexcept
{
    ComErrorReport(env, _com_error(E_OUTOFMEMORY, nullptr));
    return JavaArgument::OutOfMemory;
}

}  // namespace jvelweb
