// Captures every line handed to Trace while it lives; a null line is kept as
// "(null)", which no real line of the library reads.
#pragma once

#include <string>
#include <vector>

#include "bridge/trace.h"

namespace jvelweb::testing {

class TraceCapture {
public:
    TraceCapture();
    ~TraceCapture();
    TraceCapture(const TraceCapture&) = delete;
    TraceCapture& operator=(const TraceCapture&) = delete;

    const std::vector<std::string>& Lines() const;
    void Clear();

    static constexpr const char* kNull = "(null)";

private:
    TraceSink previous_;
};

}  // namespace jvelweb::testing
