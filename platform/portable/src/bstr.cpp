// BSTR: UTF-16 text preceded by its length in bytes and followed by a zero
// unit. The block starts 8 bytes before the text (4 unused, then the 32-bit
// byte length) so the text keeps malloc's 8-byte alignment, as on 64-bit
// Windows, where callers may copy BSTR text with aligned wide loads.
#include "platform/com.h"

#include <atomic>
#include <climits>
#include <cstdlib>
#include <cstring>

namespace {

constexpr size_t kHeaderBytes = 8;

// The live-string count is spread over cache lines, one picked per thread, so
// threads allocating at once do not fight over one counter; a string freed
// on another thread than it was made on is simply counted there. The count is
// the sum of all of them.
constexpr size_t kCounterShards = 16;
struct alignas(64) CounterShard {
    std::atomic<LONG> value{0};
};
CounterShard liveStrings[kCounterShards];
std::atomic<unsigned> nextShard{0};

std::atomic<LONG>& ThisThreadsCounter()
{
    thread_local const unsigned shard = nextShard.fetch_add(1, std::memory_order_relaxed) % kCounterShards;
    return liveStrings[shard].value;
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
// text: may be NULL, then the units are zeroed storage.
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
    if (text != nullptr)
        std::memcpy(result, text, textBytes);
    else
        std::memset(result, 0, textBytes);
    result[length] = 0;
    ThisThreadsCounter().fetch_add(1, std::memory_order_relaxed);
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
    ThisThreadsCounter().fetch_sub(1, std::memory_order_relaxed);
    std::free(reinterpret_cast<unsigned char*>(text) - kHeaderBytes);
}

// Number of BSTRs allocated and not yet freed, across all threads.
STDAPI_(LONG) JVelComLiveStrings()
{
    LONG total = 0;
    for (const auto& shard : liveStrings) total += shard.value.load(std::memory_order_relaxed);
    return total;
}
