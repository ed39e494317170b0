// BSTR: UTF-16 text preceded by its length in bytes and followed by a zero
// unit. The block starts 8 bytes before the text (4 unused, then the 32-bit
// byte length) so the text keeps malloc's 8-byte alignment, as on 64-bit
// Windows, where callers may copy BSTR text with aligned wide loads.
#include "platform/com.h"

#include <atomic>
#include <climits>
#include <cstdlib>
#include <cstring>
#include <mutex>
#include <new>

namespace {

constexpr size_t kHeaderBytes = 8;

// The live-string count: each thread keeps its own counter, which only it
// writes (a plain load and store, no locked operation on the per-call path),
// on a cache line of its own; the count is the sum of all of them. A string
// freed on another thread than it was made on is counted there, and a
// thread's counter is folded into `retiredCount` when the thread ends.
struct alignas(64) ThreadCounter {
    std::atomic<LONG> value{0};
    ThreadCounter* next = nullptr;
};

std::mutex countersMutex;
ThreadCounter* liveCounters = nullptr;
LONG retiredCount = 0;

ThreadCounter* RegisterThreadCounter()
{
    auto* counter = new (std::nothrow) ThreadCounter;
    if (counter == nullptr) return nullptr;
    std::lock_guard<std::mutex> lock(countersMutex);
    counter->next = liveCounters;
    liveCounters = counter;
    return counter;
}

void RetireThreadCounter(ThreadCounter* counter)
{
    std::lock_guard<std::mutex> lock(countersMutex);
    retiredCount += counter->value.load(std::memory_order_relaxed);
    for (ThreadCounter** link = &liveCounters; *link != nullptr; link = &(*link)->next) {
        if (*link == counter) {
            *link = counter->next;
            break;
        }
    }
    delete counter;
}

// The calling thread's counter. The pointer and the flag are plain thread
// locals without destructors, so they stay readable while other thread-local
// destructors run at thread exit (the error-information slot frees strings
// then); once the counter is retired, later counts go to `lateCount`.
//
// They use the initial-exec model: every BSTR made or freed reads them, and
// the default model for a shared library calls __tls_get_addr on each read.
// Initial-exec puts the layer's thread locals (a few dozen bytes) in the
// static TLS block, which glibc keeps room for in libraries loaded later
// with dlopen, as a JVM loads the bridge and with it this layer.
#define JVELCOM_INITIAL_EXEC __attribute__((tls_model("initial-exec")))
thread_local ThreadCounter* threadCounter JVELCOM_INITIAL_EXEC = nullptr;
thread_local bool threadCounterRetired JVELCOM_INITIAL_EXEC = false;
std::atomic<LONG> lateCount{0};

struct ThreadCounterRetirement {
    ~ThreadCounterRetirement()
    {
        if (threadCounter != nullptr) RetireThreadCounter(threadCounter);
        threadCounter = nullptr;
        threadCounterRetired = true;
    }
};

void CountLiveStrings(LONG delta)
{
    ThreadCounter* counter = threadCounter;
    if (counter == nullptr && !threadCounterRetired) {
        static thread_local ThreadCounterRetirement retirement;
        (void)retirement;
        counter = threadCounter = RegisterThreadCounter();
    }
    if (counter != nullptr) {
        counter->value.store(counter->value.load(std::memory_order_relaxed) + delta, std::memory_order_relaxed);
    } else {
        lateCount.fetch_add(delta, std::memory_order_relaxed);
    }
}

uint32_t* byteLengthField(BSTR text) { return reinterpret_cast<uint32_t*>(text) - 1; }

size_t unitLength(const OLECHAR* text)
{
    size_t length = 0;
    while (text[length] != 0) ++length;
    return length;
}

}  // namespace

// Copies `length` units of `text` (zeros included) into a new BSTR.
// text: may be NULL, then the units are left unset for the caller to write,
// as on Windows; the terminating zero is written all the same.
// Returns NULL when the byte count would not fit the 32-bit length prefix
// (the same bound Windows applies) or memory runs out.
STDAPI_(BSTR) SysAllocStringLen(const OLECHAR* text, UINT length)
{
    if (length >= (UINT_MAX - sizeof(OLECHAR) - sizeof(DWORD)) / sizeof(OLECHAR)) return nullptr;
    const size_t textBytes = size_t(length) * sizeof(OLECHAR);
    auto* block = static_cast<unsigned char*>(std::malloc(kHeaderBytes + textBytes + sizeof(OLECHAR)));
    if (block == nullptr) return nullptr;
    BSTR result = reinterpret_cast<BSTR>(block + kHeaderBytes);
    std::memset(block, 0, kHeaderBytes);
    *byteLengthField(result) = uint32_t(textBytes);
    if (text != nullptr) std::memcpy(result, text, textBytes);
    result[length] = 0;
    CountLiveStrings(1);
    return result;
}

// Copies a zero-terminated string. NULL in gives NULL; "" gives an empty,
// non-NULL BSTR, which callers must still free.
STDAPI_(BSTR) SysAllocString(const OLECHAR* text)
{
    if (text == nullptr) return nullptr;
    const size_t length = unitLength(text);
    if (length > UINT_MAX) return nullptr;
    return SysAllocStringLen(text, UINT(length));
}

// Length in UTF-16 units, from the prefix (so embedded zeros count). NULL is an
// empty string: 0.
STDAPI_(UINT) SysStringLen(BSTR text) { return text == nullptr ? 0 : *byteLengthField(text) / sizeof(OLECHAR); }

// Length in bytes, from the prefix; 0 for NULL.
STDAPI_(UINT) SysStringByteLen(BSTR text) { return text == nullptr ? 0 : *byteLengthField(text); }

// Frees a BSTR from SysAlloc*. NULL is ignored, as on Windows.
STDAPI_(void) SysFreeString(BSTR text)
{
    if (text == nullptr) return;
    CountLiveStrings(-1);
    std::free(reinterpret_cast<unsigned char*>(text) - kHeaderBytes);
}

// Number of BSTRs allocated and not yet freed, across all threads.
STDAPI_(LONG) JVelComLiveStrings()
{
    std::lock_guard<std::mutex> lock(countersMutex);
    LONG total = retiredCount + lateCount.load(std::memory_order_relaxed);
    for (const ThreadCounter* counter = liveCounters; counter != nullptr; counter = counter->next)
        total += counter->value.load(std::memory_order_relaxed);
    return total;
}
