// Apartments. Every thread that initialises gets a single-threaded apartment of
// its own; the layer only needs to know whether a thread has initialised, since
// calls are never marshalled between threads.
#include "apartment.h"

#include "platform/com.h"

namespace {
thread_local unsigned initializeCount = 0;
}

bool jvelcom::threadIsInitialized() { return initializeCount > 0; }

// Enters the calling thread's apartment.
// reserved: ignored (Windows requires NULL).
// Returns S_OK for the thread's first call, S_FALSE for each further call; every
// successful call, S_FALSE included, needs its own CoUninitialize.
STDAPI CoInitialize(LPVOID reserved)
{
    (void)reserved;
    return initializeCount++ == 0 ? S_OK : S_FALSE;
}

// Balances one CoInitialize; does nothing on a thread that is not initialised.
// Class objects registered by the thread stay registered (they are process-wide
// here), unlike Windows, which revokes them with the apartment.
STDAPI_(void) CoUninitialize()
{
    if (initializeCount > 0) --initializeCount;
}
