#include "bridge/plugin_handle.h"

namespace jvelweb {
namespace {

// PluginHandle: one slot for the whole process, holding one reference.
IWebPlugin2* g_pluginHandle = nullptr;

}  // namespace

IWebPlugin2* GetPlugin(JNIEnv*, jobject) noexcept { return g_pluginHandle; }

void SetPlugin(JNIEnv*, jobject, IWebPlugin2* plugin) noexcept { g_pluginHandle = plugin; }

}  // namespace jvelweb
