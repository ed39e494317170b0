#include "tests/support/trace_capture.h"

#include <mutex>

namespace jvelweb::testing {
namespace {

std::mutex g_mutex;
std::vector<std::string> g_lines;

void Capture(JNIEnv*, const char* text)
{
    std::lock_guard<std::mutex> lock(g_mutex);
    g_lines.emplace_back(text != nullptr ? text : TraceCapture::kNull);
}

}  // namespace

TraceCapture::TraceCapture() : previous_(SetTraceSink(&Capture)) { Clear(); }

TraceCapture::~TraceCapture() { SetTraceSink(previous_); }

const std::vector<std::string>& TraceCapture::Lines() const { return g_lines; }

void TraceCapture::Clear()
{
    std::lock_guard<std::mutex> lock(g_mutex);
    g_lines.clear();
}

}  // namespace jvelweb::testing
