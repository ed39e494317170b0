// The few process services the library needs beyond COM: opening the trace
// file the user named, and keeping state sound across fork. The portable
// layer gives the first on POSIX systems (exported from libjvelcom, beside
// its COM), platform/windows on Windows; the second is inline below. Library code calls these
// names and never asks which system it runs on.
#pragma once

#include <cstddef>
#include <cstdio>

#include "platform/com.h"

#if !defined(_WIN32)
#include <pthread.h>
#endif

#if defined(_WIN32)
#define JVELWEB_SERVICE_API extern "C"
#else
#define JVELWEB_SERVICE_API JVELCOM_API
#endif

// Opens `path` for appending diagnostic lines on the user's behalf, or gives
// null and a one-clause reason in `reason` (always terminated). On POSIX the
// file must be a regular file or a character device (/dev/null, a terminal);
// it is opened without blocking (a FIFO with no reader is refused at once)
// and without following a link in its last component, except that a link in
// a directory nobody else can write is resolved and its target judged by the
// same rule. Its directory, and every one above it, must pass the COM
// layer's trust rule for registrations; a regular file must be owned by root
// or the user and be writable by nobody else, and one that is made is made
// 0600. The stream is unbuffered, so each write of a line is one write.
JVELWEB_SERVICE_API FILE* JVelComOpenTraceFile(const char* path, char* reason, size_t reasonSize);

// Registers functions to run around fork(): `prepare` in the parent before
// it, `parent` in the parent after it, `child` in the child, on the thread
// that forked (the only one the child has). S_OK, or E_OUTOFMEMORY. Inline,
// so that the handlers are registered under the module that calls it and
// are dropped when that module is unloaded. Windows has no fork: there it
// does nothing.
#if defined(_WIN32)
inline HRESULT JVelComAtFork(void (*)(), void (*)(), void (*)()) { return S_OK; }
#else
inline HRESULT JVelComAtFork(void (*prepare)(), void (*parent)(), void (*child)())
{
    return pthread_atfork(prepare, parent, child) == 0 ? S_OK : E_OUTOFMEMORY;  // its one failure is ENOMEM
}
#endif
