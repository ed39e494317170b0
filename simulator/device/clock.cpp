#include "simulator/device/clock.h"

namespace velsim {

DeviceClock::DeviceClock() : realOffset_(SteadyMillis()) {}

int64_t DeviceClock::SteadyMillis() const
{
    return std::chrono::duration_cast<std::chrono::milliseconds>(Steady::now().time_since_epoch()).count();
}

int64_t DeviceClock::Now() const
{
    return manual_ ? manualNow_ : SteadyMillis() - realOffset_;
}

void DeviceClock::UseManual()
{
    if (manual_) return;
    manualNow_ = Now();
    manual_ = true;
}

void DeviceClock::UseReal()
{
    if (!manual_) return;
    realOffset_ = SteadyMillis() - manualNow_;
    manual_ = false;
}

}  // namespace velsim
