#include "simulator/device/handle.h"

namespace velsim {

namespace {

int64_t Limit(int64_t value, int64_t limit)
{
    return value > limit ? limit : value < -limit ? -limit : value;
}

// Moves smoothed (times 256) 1/16 of the way to target; the division rounds
// towards zero, so a constant input is reached exactly in the end.
int64_t Smooth(int64_t smoothed, int64_t target)
{
    return smoothed + (target * 256 - smoothed) / kSmoothingSteps;
}

}  // namespace

void Handle::Step()
{
    const Spot now = placement_.screen;
    // One step is 1 ms: a move of d px is d * 1000 px/s.
    const int64_t rawX = Limit((int64_t{now.x} - previous_.x) * 1000, kMaxSpeed);
    const int64_t rawY = Limit((int64_t{now.y} - previous_.y) * 1000, kMaxSpeed);
    const int64_t oldVx = vx_, oldVy = vy_;
    vx_ = Smooth(vx_, rawX);
    vy_ = Smooth(vy_, rawY);
    ax_ = Smooth(ax_, Limit((vx_ - oldVx) * 1000 / 256, kMaxAcceleration));
    ay_ = Smooth(ay_, Limit((vy_ - oldVy) * 1000 / 256, kMaxAcceleration));
    previous_ = now;
}

void Handle::Stop()
{
    vx_ = vy_ = ax_ = ay_ = 0;
    previous_ = placement_.screen;
}

Motion Handle::MotionWith(Spot hand) const
{
    Motion motion;
    motion.handX = hand.x;
    motion.handY = hand.y;
    motion.x = placement_.screen.x;
    motion.y = placement_.screen.y;
    motion.vx = static_cast<int32_t>(vx_ / 256);
    motion.vy = static_cast<int32_t>(vy_ / 256);
    motion.ax = static_cast<int32_t>(ax_ / 256);
    motion.ay = static_cast<int32_t>(ay_ / 256);
    return motion;
}

}  // namespace velsim
