#include "bridge/borrower_marks.h"

#include <new>
#include <thread>

#include "platform/services.h"

namespace jvelweb {
namespace {

std::mutex g_registryLock;
BorrowerMark* g_marks = nullptr;
// The calling thread's registered mark, for the forked child to keep.
thread_local BorrowerMark* t_ownMark = nullptr;

// Around fork: the registry is held while the process is copied, so the
// child gets it whole and unlocked. The child has only the thread that
// forked; the marks of the others (one may be set, mid-borrow) belong to
// threads it does not have and would hold _jni_delete's wait for ever, so
// only the forking thread's own mark stays, cleared.
void LockRegistryForFork() { g_registryLock.lock(); }
void UnlockRegistryInParent() { g_registryLock.unlock(); }
void KeepOnlyOwnMarkInChild()
{
    for (BorrowerMark* mark = g_marks; mark != nullptr;) {
        BorrowerMark* next = mark->next;
        if (mark != t_ownMark) delete mark;
        mark = next;
    }
    g_marks = t_ownMark;
    if (g_marks != nullptr) {
        g_marks->next = nullptr;
        g_marks->plugin.store(nullptr, std::memory_order_relaxed);
    }
    g_registryLock.unlock();
}

}  // namespace

std::mutex& BorrowerRegistryLock() noexcept { return g_registryLock; }

BorrowerMark* RegisterBorrowerMark() noexcept
{
    // Once, before the first mark exists. Should it fail (no memory), a
    // forked child may hang in _jni_delete as before; nothing else changes.
    static const bool forkHandled =
        SUCCEEDED(JVelComAtFork(&LockRegistryForFork, &UnlockRegistryInParent, &KeepOnlyOwnMarkInChild));
    (void)forkHandled;
    auto* mark = new (std::nothrow) BorrowerMark;
    if (mark == nullptr) return nullptr;
    t_ownMark = mark;
    std::lock_guard<std::mutex> lock(g_registryLock);
    mark->next = g_marks;
    g_marks = mark;
    return mark;
}

void RetireBorrowerMark(BorrowerMark* mark) noexcept
{
    std::lock_guard<std::mutex> lock(g_registryLock);
    if (t_ownMark == mark) t_ownMark = nullptr;
    for (BorrowerMark** link = &g_marks; *link != nullptr; link = &(*link)->next) {
        if (*link == mark) {
            *link = mark->next;
            break;
        }
    }
    delete mark;
}

void WaitForBorrowers(IWebPlugin2* plugin) noexcept
{
    // A borrower sets its mark and then reads the slot again with no fence of
    // its own in between (its store may still sit in its processor's store
    // buffer). This barrier on every thread settles it: each borrower's mark
    // is now visible here, or its second read comes after it and sees the
    // slot without `plugin`, and it lets go at once.
    FlushProcessWriteBuffers();
    std::lock_guard<std::mutex> lock(g_registryLock);
    for (const BorrowerMark* mark = g_marks; mark != nullptr; mark = mark->next) {
        // A mark is held for a few instructions only: the re-read and AddRef.
        while (mark->plugin.load(std::memory_order_acquire) == plugin) std::this_thread::yield();
    }
}

}  // namespace jvelweb
