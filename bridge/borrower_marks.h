// The marks of threads that are taking a reference on the plug-in: each
// thread that borrows has one, on a cache line of its own, written only by
// that thread. _jni_delete reads them all, after emptying the slot, to learn
// when no thread can still be about to AddRef the plug-in it took out.
#pragma once

#include <atomic>
#include <mutex>

#include "plugin/web_plugin.h"

namespace jvelweb {

struct alignas(64) BorrowerMark {
    // The plug-in this thread is about to AddRef, or null.
    std::atomic<IWebPlugin2*> plugin{nullptr};
    BorrowerMark* next = nullptr;
};

// A new mark in the registry, or null when no memory is left. Called once
// per thread; RetireBorrowerMark takes it out again when the thread ends.
BorrowerMark* RegisterBorrowerMark() noexcept;
void RetireBorrowerMark(BorrowerMark* mark) noexcept;

// Held while the registry is walked or changed. A thread without a mark
// borrows under it, which WaitForBorrowers then waits for as well.
std::mutex& BorrowerRegistryLock() noexcept;

// Returns once no thread is between reading `plugin` from the slot and
// taking its reference. Call it after the slot no longer holds `plugin`.
void WaitForBorrowers(IWebPlugin2* plugin) noexcept;

}  // namespace jvelweb
