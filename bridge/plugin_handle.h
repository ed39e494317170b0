// The one process-wide plug-in slot and the scoped reference every native
// method takes on it.
#pragma once

#include <jni.h>

#include "bridge/com_error.h"
#include "bridge/com_ptr.h"
#include "plugin/web_plugin.h"

namespace jvelweb {

// The plug-in held in PluginHandle, or null. Takes no reference. A plain load:
// the Java side never runs _jni_initialize or _jni_delete while other native
// methods run. Both arguments are accepted and not used.
IWebPlugin2* GetPlugin(JNIEnv* env, jobject self) noexcept;

// Stores `plugin` (null empties the slot). Takes and gives up no reference:
// the caller does that.
void SetPlugin(JNIEnv* env, jobject self, IWebPlugin2* plugin) noexcept;

// A counted reference to the plug-in for the length of one call.
class PluginRef : public ComPtr<IWebPlugin2> {
public:
    PluginRef() noexcept = default;
    // AddRefs `plugin` when it is not null; empty otherwise.
    explicit PluginRef(IWebPlugin2* plugin) noexcept : ComPtr(ComPtr::Copy(plugin)) {}
    using ComPtr::operator=;

    // The plug-in, for calling an operation: raises E_POINTER when empty.
    IWebPlugin2* Checked() const
    {
        if (!*this) RaiseComError(E_POINTER);
        return Get();
    }
};

}  // namespace jvelweb
