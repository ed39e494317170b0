// Win32 base services the layer and its callers need: the per-thread last
// error, the local heap that FormatMessage's allocated buffers come from, and
// atomic counters for reference counts.
#include "platform/com.h"

#include <cstdlib>

namespace {
thread_local DWORD lastError = ERROR_SUCCESS;
}

// The calling thread's last error code; each thread has its own.
STDAPI_(DWORD) GetLastError() { return lastError; }

// Sets the calling thread's last error code; other threads do not see it.
STDAPI_(void) SetLastError(DWORD error) { lastError = error; }

// Allocates `bytes` from the local heap; LMEM_ZEROINIT zeroes them. Zero bytes
// still gives a valid, freeable pointer (Windows does the same for LMEM_FIXED).
// Other flags are accepted and ignored: memory is always fixed here.
// Returns NULL with ERROR_NOT_ENOUGH_MEMORY when the heap is exhausted.
STDAPI_(HLOCAL) LocalAlloc(UINT flags, SIZE_T bytes)
{
    const size_t size = bytes == 0 ? 1 : bytes;
    void* memory = (flags & LMEM_ZEROINIT) ? std::calloc(1, size) : std::malloc(size);
    if (memory == nullptr) SetLastError(ERROR_NOT_ENOUGH_MEMORY);
    return memory;
}

// Frees memory from LocalAlloc (NULL is ignored). Returns NULL on success, which
// is how Windows reports it.
STDAPI_(HLOCAL) LocalFree(HLOCAL memory)
{
    std::free(memory);
    return nullptr;
}

// Atomically adds one; returns the new value.
STDAPI_(LONG) InterlockedIncrement(LONG volatile* value) { return __atomic_add_fetch(value, 1, __ATOMIC_SEQ_CST); }

// Atomically subtracts one; returns the new value.
STDAPI_(LONG) InterlockedDecrement(LONG volatile* value) { return __atomic_sub_fetch(value, 1, __ATOMIC_SEQ_CST); }
