#include "bridge/plugin_handle.h"

#include <atomic>
#include <mutex>

#include "bridge/borrower_marks.h"

namespace jvelweb {
namespace {

// PluginHandle: one slot for the whole process, holding one reference.
std::atomic<IWebPlugin2*> g_pluginHandle{nullptr};

// The calling thread's mark. The pointer and the flag are plain thread locals
// without destructors, so they stay readable while other thread-local
// destructors run at thread exit; a thread whose mark is gone (or could not
// be had) borrows under the registry's lock.
thread_local BorrowerMark* t_mark = nullptr;
thread_local bool t_markRetired = false;

struct MarkRetirement {
    ~MarkRetirement()
    {
        if (t_mark != nullptr) RetireBorrowerMark(t_mark);
        t_mark = nullptr;
        t_markRetired = true;
    }
};

BorrowerMark* ThisThreadsMark() noexcept
{
    BorrowerMark* mark = t_mark;
    if (mark == nullptr && !t_markRetired) {
        static thread_local MarkRetirement retirement;
        (void)retirement;
        mark = t_mark = RegisterBorrowerMark();
    }
    return mark;
}

PluginRef BorrowUnderLock() noexcept
{
    std::lock_guard<std::mutex> lock(BorrowerRegistryLock());
    return PluginRef(g_pluginHandle.load(std::memory_order_acquire));
}

}  // namespace

IWebPlugin2* GetPlugin(JNIEnv*, jobject) noexcept { return g_pluginHandle.load(std::memory_order_acquire); }

void SetPlugin(JNIEnv*, jobject, IWebPlugin2* plugin) noexcept
{
    g_pluginHandle.store(plugin, std::memory_order_release);
}

// The mark says "about to AddRef this plug-in"; the slot is read again after
// setting it, and only a plug-in still in the slot then is AddRef'd. Between
// the store and the re-read stands a compiler barrier only: the processor's
// half of that fence is WaitForBorrowers' barrier on every thread, which
// _jni_delete pays.
PluginRef BorrowPlugin(JNIEnv*, jobject) noexcept
{
    IWebPlugin2* plugin = g_pluginHandle.load(std::memory_order_acquire);
    if (plugin == nullptr) return PluginRef();
    BorrowerMark* mark = ThisThreadsMark();
    if (mark == nullptr) return BorrowUnderLock();
    for (;;) {
        mark->plugin.store(plugin, std::memory_order_relaxed);
        std::atomic_signal_fence(std::memory_order_seq_cst);
        IWebPlugin2* again = g_pluginHandle.load(std::memory_order_acquire);
        if (again == plugin) break;
        plugin = again;
        if (plugin == nullptr) {
            mark->plugin.store(nullptr, std::memory_order_release);
            return PluginRef();
        }
    }
    PluginRef borrowed(plugin);
    mark->plugin.store(nullptr, std::memory_order_release);
    return borrowed;
}

bool InstallPlugin(JNIEnv*, jobject, IWebPlugin2* plugin) noexcept
{
    IWebPlugin2* empty = nullptr;
    return g_pluginHandle.compare_exchange_strong(empty, plugin, std::memory_order_acq_rel, std::memory_order_acquire);
}

IWebPlugin2* WithdrawPlugin(JNIEnv*, jobject) noexcept
{
    IWebPlugin2* plugin = g_pluginHandle.exchange(nullptr, std::memory_order_acq_rel);
    if (plugin != nullptr) WaitForBorrowers(plugin);
    return plugin;
}

}  // namespace jvelweb
