#include "simulator/device/hand.h"

#include <algorithm>

namespace velsim {

Placement PlacementOfScreen(Spot screen)
{
    return {screen, {DeviceFromScreen(screen.x, kScreenWidth), DeviceFromScreen(screen.y, kScreenHeight)}};
}

void Hand::MoveTo(Spot screen)
{
    kind_ = Kind::Program;
    program_ = screen;
}

void Hand::Follow(std::vector<PathPoint> points, int64_t now)
{
    kind_ = Kind::Path;
    path_ = std::move(points);
    pathStart_ = now;
}

void Hand::OnXRead()
{
    if (kind_ == Kind::Circle) circle_.Advance();
}

Placement Hand::At(int64_t now) const
{
    if (kind_ == Kind::Circle) {
        const Point device = circle_.DevicePosition();
        const Point screen = circle_.ScreenPosition();
        return {{screen.x, screen.y}, {device.x, device.y}};
    }
    if (kind_ == Kind::Program || path_.empty()) return PlacementOfScreen(program_);
    const int64_t t = now - pathStart_;
    // The first point after t; from the last point at or before t, the hand
    // moves in a line towards it. Points at the same time are a jump.
    const auto next = std::upper_bound(path_.begin(), path_.end(), t,
                                       [](int64_t ms, const PathPoint& point) { return ms < point.ms; });
    if (next == path_.begin()) return PlacementOfScreen({next->x, next->y});
    if (next == path_.end()) return PlacementOfScreen({path_.back().x, path_.back().y});
    const PathPoint& from = *(next - 1);
    const int64_t span = next->ms - from.ms;  // > 0: from.ms <= t < next->ms
    const auto along = [&](int32_t a, int32_t b) {
        return static_cast<int32_t>(a + (int64_t{b} - a) * (t - from.ms) / span);
    };
    return PlacementOfScreen({along(from.x, next->x), along(from.y, next->y)});
}

}  // namespace velsim
