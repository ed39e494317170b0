// The Windows side of platform/services.h: a trace file is opened as the
// user's other files are, under the access its folder's ACL gives.
#include "platform/services.h"

#include <cerrno>
#include <cstring>

extern "C" FILE* JVelComOpenTraceFile(const char* path, char* reason, size_t reasonSize)
{
    FILE* file = std::fopen(path, "a");
    if (file == nullptr) {
        std::snprintf(reason, reasonSize, "it cannot be opened: %s", std::strerror(errno));
        return nullptr;
    }
    std::setvbuf(file, nullptr, _IONBF, 0);
    return file;
}
