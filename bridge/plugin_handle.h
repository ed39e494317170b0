// The one process-wide plug-in slot and the scoped reference every native
// method takes on it.
#pragma once

#include <jni.h>

#include "bridge/com_error.h"
#include "bridge/com_ptr.h"
#include "plugin/web_plugin.h"

namespace jvelweb {

// The plug-in held in PluginHandle, or null. Takes no reference: the pointer
// is good only while nobody runs _jni_delete, so natives borrow with
// BorrowPlugin instead. Both arguments are accepted and not used.
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

// GetPlugin and AddRef as one step that a concurrent _jni_delete cannot split:
// a PluginRef on the plug-in in the slot, or an empty one. No lock and no
// locked instruction besides the AddRef itself.
PluginRef BorrowPlugin(JNIEnv* env, jobject self) noexcept;

// Puts `plugin` into the slot, which takes over one reference the caller
// gives it, if the slot is empty; false, and nothing taken, if it is not.
bool InstallPlugin(JNIEnv* env, jobject self, IWebPlugin2* plugin) noexcept;

// Empties the slot and returns what it held, with the slot's reference, once
// no BorrowPlugin can still AddRef it; null when the slot was empty. Calls
// that borrowed it before keep their own references.
IWebPlugin2* WithdrawPlugin(JNIEnv* env, jobject self) noexcept;

}  // namespace jvelweb
