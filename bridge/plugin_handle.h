// The one process-wide plug-in slot and the scoped reference every native
// method takes on it.
#pragma once

#include <jni.h>

#include <atomic>
#include <utility>

#include "bridge/borrower_marks.h"
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
    // Takes over a reference the caller holds; no AddRef.
    static PluginRef Adopt(IWebPlugin2* plugin) noexcept { return PluginRef(ComPtr::Attach(plugin)); }
    using ComPtr::operator=;

    // The plug-in, for calling an operation: raises E_POINTER when empty.
    IWebPlugin2* Checked() const
    {
        if (!*this) RaiseComError(E_POINTER);
        return Get();
    }

private:
    explicit PluginRef(ComPtr&& owned) noexcept : ComPtr(std::move(owned)) {}
};

namespace handle_detail {

// PluginHandle: one slot for the whole process, holding one reference.
inline std::atomic<IWebPlugin2*> pluginHandle{nullptr};

// The calling thread's borrower mark, once it has one. Constant-initialised
// and defined here, so every native reaches it with one load and no call.
inline thread_local BorrowerMark* threadMark = nullptr;

#if defined(JVELWEB_TEST_SEAMS)
// Test builds only: runs between a borrower's mark store and its re-read of
// the slot, where a test runs _jni_delete in a fixed order. A release build
// has neither the pointer nor the call.
inline void (*afterMarkStored)() = nullptr;
inline void AfterMarkStored()
{
    if (afterMarkStored != nullptr) afterMarkStored();
}
#else
inline void AfterMarkStored() {}
#endif

// TakeReference for a thread without a mark: registers one, or (no memory,
// or the thread is ending) takes the reference under the registry's lock.
IWebPlugin2* TakeReferenceWithoutMark() noexcept;
// TakeReference once the slot changed under the mark: clears it, starts over.
IWebPlugin2* TakeReferenceAgain(BorrowerMark* mark) noexcept;

// The plug-in in the slot with a reference taken for the caller, or null.
inline IWebPlugin2* TakeReference() noexcept
{
    IWebPlugin2* plugin = pluginHandle.load(std::memory_order_acquire);
    if (plugin == nullptr) return nullptr;
    BorrowerMark* mark = threadMark;
    if (mark == nullptr) return TakeReferenceWithoutMark();
    mark->plugin.store(plugin, std::memory_order_relaxed);
    std::atomic_signal_fence(std::memory_order_seq_cst);
    AfterMarkStored();
    if (pluginHandle.load(std::memory_order_acquire) != plugin) return TakeReferenceAgain(mark);
    plugin->AddRef();
    mark->plugin.store(nullptr, std::memory_order_release);
    return plugin;
}

}  // namespace handle_detail

// GetPlugin and AddRef as one step that a concurrent _jni_delete cannot split:
// a PluginRef on the plug-in in the slot, or an empty one. No lock and no
// locked instruction besides the AddRef itself: the thread's mark says
// "about to AddRef this plug-in", the slot is read again, and only a plug-in
// still in the slot then is AddRef'd. Between the store and the re-read stands
// a compiler barrier only; the processor's half of that fence is the barrier
// on every thread that WithdrawPlugin pays.
inline PluginRef BorrowPlugin(JNIEnv*, jobject) noexcept
{
    return PluginRef::Adopt(handle_detail::TakeReference());
}

// Puts `plugin` into the slot, which takes over one reference the caller
// gives it, if the slot is empty; false, and nothing taken, if it is not.
bool InstallPlugin(JNIEnv* env, jobject self, IWebPlugin2* plugin) noexcept;

// Empties the slot and returns what it held, with the slot's reference, once
// no BorrowPlugin can still AddRef it; null when the slot was empty. Calls
// that borrowed it before keep their own references.
IWebPlugin2* WithdrawPlugin(JNIEnv* env, jobject self) noexcept;

}  // namespace jvelweb
