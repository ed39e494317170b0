// The options of the view's listening socket. cpp-httplib's default on Linux
// is SO_REUSEPORT, which lets another socket of the same user bind the same
// port and take a share of the page's connections; the view wants the port
// to itself. The build picks the file for the platform.
#pragma once

#include <cstdint>

namespace velsim {

// `socket` is the platform's socket handle, widened.
void SetListeningOptions(uintptr_t socket);

}  // namespace velsim
