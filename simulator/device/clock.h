// The device's clock, in milliseconds: the real one reads a steady clock (the
// default); the manual one moves only when a program advances it, so that
// tests are exact and never sleep. The device reads it once per catch-up and
// passes the time on: nothing else reads a clock.
#pragma once

#include <chrono>
#include <cstdint>

namespace velsim {

class DeviceClock {
public:
    DeviceClock();
    bool manual() const { return manual_; }
    // Device time now. Switching clocks keeps the time where it is: it never
    // goes back and never jumps.
    int64_t Now() const;
    void UseManual();
    void UseReal();
    // The manual clock only; millis >= 0.
    void Advance(int64_t millis) { manualNow_ += millis; }

private:
    using Steady = std::chrono::steady_clock;
    int64_t SteadyMillis() const;

    bool manual_ = false;
    int64_t manualNow_ = 0;
    // Under the real clock: device time = steady milliseconds - realOffset_.
    int64_t realOffset_ = 0;
};

}  // namespace velsim
