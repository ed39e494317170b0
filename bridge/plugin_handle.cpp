#include "bridge/plugin_handle.h"

#include <mutex>

namespace jvelweb {
namespace handle_detail {
namespace {

// Set once the thread's mark has been retired at thread exit. A plain thread
// local without a destructor, so it stays readable while other thread-local
// destructors run then.
thread_local bool t_markRetired = false;

struct MarkRetirement {
    ~MarkRetirement()
    {
        if (threadMark != nullptr) RetireBorrowerMark(threadMark);
        threadMark = nullptr;
        t_markRetired = true;
    }
};

IWebPlugin2* TakeReferenceUnderLock() noexcept
{
    std::lock_guard<std::mutex> lock(BorrowerRegistryLock());
    IWebPlugin2* plugin = pluginHandle.load(std::memory_order_acquire);
    if (plugin != nullptr) plugin->AddRef();
    return plugin;
}

}  // namespace

IWebPlugin2* TakeReferenceWithoutMark() noexcept
{
    if (!t_markRetired) {
        static thread_local MarkRetirement retirement;
        (void)retirement;
        threadMark = RegisterBorrowerMark();
        if (threadMark != nullptr) return TakeReference();
    }
    return TakeReferenceUnderLock();
}

IWebPlugin2* TakeReferenceAgain(BorrowerMark* mark) noexcept
{
    mark->plugin.store(nullptr, std::memory_order_release);
    return TakeReference();
}

}  // namespace handle_detail

using handle_detail::pluginHandle;

IWebPlugin2* GetPlugin(JNIEnv*, jobject) noexcept { return pluginHandle.load(std::memory_order_acquire); }

void SetPlugin(JNIEnv*, jobject, IWebPlugin2* plugin) noexcept { pluginHandle.store(plugin, std::memory_order_release); }

bool InstallPlugin(JNIEnv*, jobject, IWebPlugin2* plugin) noexcept
{
    IWebPlugin2* empty = nullptr;
    return pluginHandle.compare_exchange_strong(empty, plugin, std::memory_order_acq_rel, std::memory_order_acquire);
}

IWebPlugin2* WithdrawPlugin(JNIEnv*, jobject) noexcept
{
    IWebPlugin2* plugin = pluginHandle.exchange(nullptr, std::memory_order_acq_rel);
    if (plugin != nullptr) WaitForBorrowers(plugin);
    return plugin;
}

}  // namespace jvelweb
