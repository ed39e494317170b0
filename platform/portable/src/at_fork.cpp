// JVelComAtFork: pthread_atfork under the layer's name, so library code that
// must mend its state in a forked child does not name the system it runs on.
#include <pthread.h>

#include "platform/services.h"

JVELCOM_API HRESULT JVelComAtFork(void (*prepare)(), void (*parent)(), void (*child)())
{
    const int error = pthread_atfork(prepare, parent, child);
    return error == 0 ? S_OK : E_OUTOFMEMORY;  // its one failure is ENOMEM
}
