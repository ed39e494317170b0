#include "simulator/view/signal_disposition.h"

namespace velsim {

// No SIGPIPE here: nothing to keep.
KeepSignalDisposition::KeepSignalDisposition() : saved_{} {}
KeepSignalDisposition::~KeepSignalDisposition() = default;

}  // namespace velsim
