#include "simulator/view/listening_socket.h"

#include <winsock2.h>

namespace velsim {

// SO_EXCLUSIVEADDRUSE: no other socket may bind the port while the view has it.
void SetListeningOptions(uintptr_t socket)
{
    BOOL yes = TRUE;
    setsockopt(static_cast<SOCKET>(socket), SOL_SOCKET, SO_EXCLUSIVEADDRUSE, reinterpret_cast<const char*>(&yes),
               sizeof yes);
}

}  // namespace velsim
