// The user's hand: where it puts the handle, in screen pixels and in device
// units. Three hands:
// - the circle (the default): 800 device units round the centre, moving 3
//   degrees each time a program reads an X position;
// - a path: points given as (ms from when the path was given, x, y), followed
//   in straight lines and held at the last point;
// - a program's: where MoveHand put it.
#pragma once

#include <cstdint>
#include <vector>

#include "simulator/device/device_model.h"
#include "simulator/device/forces.h"

namespace velsim {

struct Placement {
    Spot screen;  // pixels
    Spot device;  // device units
};
Placement PlacementOfScreen(Spot screen);

struct PathPoint {
    int64_t ms = 0;
    int32_t x = 0, y = 0;
};

class Hand {
public:
    void UseCircle() { kind_ = Kind::Circle; }
    void MoveTo(Spot screen);
    // points: at least one, times not decreasing (the caller checks).
    void Follow(std::vector<PathPoint> points, int64_t now);
    // The circle's step on an X read; the other hands do not move on reads.
    void OnXRead();
    Placement At(int64_t now) const;
    bool MovesWithTime() const { return kind_ == Kind::Path; }

private:
    enum class Kind { Circle, Path, Program };
    Kind kind_ = Kind::Circle;
    SimulatedDevice circle_;
    Spot program_;
    std::vector<PathPoint> path_;
    int64_t pathStart_ = 0;
};

}  // namespace velsim
