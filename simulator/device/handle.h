// The handle: what the device reports. It goes where the hand puts it unless
// a holding wall stops it (the walls decide that: wall_hold.cpp). Its velocity
// and acceleration come from its positions at each 1 ms step. The per-step
// change is limited to kMaxSpeed and both are smoothed over about
// kSmoothingSteps steps, so that a hand that jumps gives a brisk but bounded
// damper or inertia force instead of an absurd one.
#pragma once

#include <cstdint>

#include "simulator/device/hand.h"

namespace velsim {

inline constexpr int32_t kMaxSpeed = 20000;           // px/s, a fast flick of the wrist
inline constexpr int32_t kMaxAcceleration = 2000000;  // px/s²
inline constexpr int kSmoothingShift = 4;             // each step moves 1/16 of the way
inline constexpr int kSmoothingSteps = 1 << kSmoothingShift;

class Handle {
public:
    const Placement& placement() const { return placement_; }
    // Where it is now; no time passes.
    void Place(Placement placement) { placement_ = placement; }
    // One 1 ms step: velocity and acceleration from the move since the last step.
    void Step();
    // Held still where it is: no velocity, no acceleration.
    void Stop();
    Motion MotionWith(Spot hand) const;

private:
    Placement placement_{};
    Spot previous_{};  // where it was at the last step
    // Smoothed values, times 256 for precision.
    int64_t vx_ = 0, vy_ = 0, ax_ = 0, ay_ = 0;
};

}  // namespace velsim
