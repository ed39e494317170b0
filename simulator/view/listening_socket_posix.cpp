#include "simulator/view/listening_socket.h"

#include <sys/socket.h>

namespace velsim {

// SO_REUSEADDR only: a stopped view's port can be had again at once (past
// connections in TIME_WAIT), but never by two live sockets.
void SetListeningOptions(uintptr_t socket)
{
    int yes = 1;
    setsockopt(static_cast<int>(socket), SOL_SOCKET, SO_REUSEADDR, &yes, sizeof yes);
}

}  // namespace velsim
