// FlushProcessWriteBuffers: one memory barrier on every thread of the process,
// paid by the caller alone. A thread that must see what another one writes
// just before it reads (the plug-in slot's borrowers and _jni_delete) can then
// keep its own side free of any fence instruction: the rare side calls this.
//
// Linux gives it as membarrier(MEMBARRIER_CMD_PRIVATE_EXPEDITED), an
// interrupt to each CPU running a thread of the process, which serialises it.
// Where that command is missing (an old kernel, a sandbox that filters the
// call), the same interrupts come from taking write access away from a page
// the process has just written: every CPU that may hold its mapping must drop
// it before mprotect returns.
#include "platform/com.h"

#include <linux/membarrier.h>
#include <sys/mman.h>
#include <sys/syscall.h>
#include <unistd.h>

#include <atomic>
#include <mutex>

namespace {

long Membarrier(int command) { return syscall(__NR_membarrier, command, 0, 0); }

bool RegisterExpedited()
{
    const long supported = Membarrier(MEMBARRIER_CMD_QUERY);
    return supported > 0 && (supported & MEMBARRIER_CMD_PRIVATE_EXPEDITED) != 0 &&
           Membarrier(MEMBARRIER_CMD_REGISTER_PRIVATE_EXPEDITED) == 0;
}

// The fallback: one page, written and then made read-only under a lock.
std::mutex pageMutex;
void* page = nullptr;

bool FlushByPageProtection()
{
    std::lock_guard<std::mutex> lock(pageMutex);
    const long size = sysconf(_SC_PAGESIZE);
    if (page == nullptr) {
        void* mapped = mmap(nullptr, static_cast<size_t>(size), PROT_READ, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
        if (mapped == MAP_FAILED) return false;
        page = mapped;
    }
    if (mprotect(page, static_cast<size_t>(size), PROT_READ | PROT_WRITE) != 0) return false;
    static_cast<std::atomic<int>*>(page)->fetch_add(1);  // the mapping is now writable on this CPU
    return mprotect(page, static_cast<size_t>(size), PROT_READ) == 0;
}

}  // namespace

// After it returns, every other thread of the process has executed a full
// memory barrier since the call began: stores it made before are visible, and
// its loads after see what the caller stored before the call.
STDAPI_(void) FlushProcessWriteBuffers()
{
    static const bool expedited = RegisterExpedited();
    if (expedited && Membarrier(MEMBARRIER_CMD_PRIVATE_EXPEDITED) == 0) return;
    if (FlushByPageProtection()) return;
    // Neither is available: the slowest barrier the kernel has.
    Membarrier(MEMBARRIER_CMD_GLOBAL);
}
