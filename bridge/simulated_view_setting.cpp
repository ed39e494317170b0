#include "bridge/simulated_view_setting.h"

#include <jni.h>

#include <mutex>
#include <new>
#include <string>

namespace jvelweb {

namespace {

std::mutex g_mutex;
bool g_given = false;
std::string g_setting;  // guarded by g_mutex

}  // namespace

void SetSimulatedViewSetting(const char* setting) noexcept
{
    std::lock_guard<std::mutex> lock(g_mutex);
    try {
        g_setting = setting != nullptr ? setting : "";
        g_given = setting != nullptr;
    } catch (const std::bad_alloc&) {
        g_given = false;  // no memory for the setting: no view, rather than a half one
    }
}

SharedWideString SimulatedViewSetting()
{
    std::string copy;
    {
        std::lock_guard<std::mutex> lock(g_mutex);
        if (!g_given) return SharedWideString();
        copy = g_setting;
    }
    return SharedWideString::FromNarrow(copy.c_str());
}

}  // namespace jvelweb

// The Java side hands over jvelweb.sim.view, or JVELWEB_SIM_VIEW, right after
// it loads the library, as it does the trace's destination.
extern "C" JNIEXPORT void JNICALL Java_com_velmora_jvelweb_JVelWebSimulatedView_configure(JNIEnv* env, jclass,
                                                                                         jstring setting)
{
    if (setting == nullptr) return;
    const char* text = env->GetStringUTFChars(setting, nullptr);
    if (text == nullptr) return;  // an OutOfMemoryError is pending for the caller
    jvelweb::SetSimulatedViewSetting(text);
    env->ReleaseStringUTFChars(setting, text);
}
