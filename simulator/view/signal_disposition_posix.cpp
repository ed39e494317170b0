#include "simulator/view/signal_disposition.h"

#include <csignal>
#include <cstring>

namespace velsim {

static_assert(sizeof(struct sigaction) <= 256, "the saved action fits");

KeepSignalDisposition::KeepSignalDisposition()
{
    struct sigaction current;
    std::memset(&current, 0, sizeof current);
    sigaction(SIGPIPE, nullptr, &current);
    std::memcpy(saved_, &current, sizeof current);
}

KeepSignalDisposition::~KeepSignalDisposition()
{
    struct sigaction saved;
    std::memcpy(&saved, saved_, sizeof saved);
    sigaction(SIGPIPE, &saved, nullptr);
}

}  // namespace velsim
