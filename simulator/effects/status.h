// Outcome of an operation of the simulator's logic. The logic knows nothing of
// COM: the COM object turns a fault into an HRESULT and its message into the
// error description, so the same text reaches the caller of every operation.
#pragma once

#include <string>
#include <utility>

namespace velsim {

enum class Fault {
    None,
    UnknownEffect,       // no effect under the given name
    DuplicateName,       // an effect already has the name
    NotSupported,        // the effect's kind lacks the parameter
    InvalidValue,        // a value, index or selector out of its range
    BadResource,         // a resource file with a syntax or content error
    UnreadableResource,  // a resource file that cannot be read
};

struct Status {
    Fault fault = Fault::None;
    std::u16string message;

    static Status Ok() { return {}; }
    static Status Failure(Fault fault, std::u16string message) { return {fault, std::move(message)}; }
    bool ok() const { return fault == Fault::None; }
};

}  // namespace velsim
