#include "bridge/borrower_marks.h"

#include <new>
#include <thread>

namespace jvelweb {
namespace {

std::mutex g_registryLock;
BorrowerMark* g_marks = nullptr;

}  // namespace

std::mutex& BorrowerRegistryLock() noexcept { return g_registryLock; }

BorrowerMark* RegisterBorrowerMark() noexcept
{
    auto* mark = new (std::nothrow) BorrowerMark;
    if (mark == nullptr) return nullptr;
    std::lock_guard<std::mutex> lock(g_registryLock);
    mark->next = g_marks;
    g_marks = mark;
    return mark;
}

void RetireBorrowerMark(BorrowerMark* mark) noexcept
{
    std::lock_guard<std::mutex> lock(g_registryLock);
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
