// The proxy of holding walls (the clipping mask): the handle follows the hand
// but never crosses a holding face, from either side, however far the hand
// jumps in one step; it slides along the face instead.
#include <algorithm>
#include <cmath>

#include "simulator/device/forces.h"

namespace velsim {

namespace {

// Whether the way from -> to crosses the vertical line x = line between y0 and
// y1 (or, swapped, a horizontal one), going in the direction of sign.
bool Crosses(int64_t fromA, int64_t fromB, int64_t toA, int64_t toB, int64_t line, int64_t low, int64_t high,
             int sign)
{
    if (sign > 0 ? !(fromA <= line && toA > line) : !(fromA >= line && toA < line)) return false;
    // Where the way meets the line, on the other axis: fromB + (toB - fromB) * t.
    const int64_t num = (toB - fromB) * (line - fromA), den = toA - fromA;
    const double at = static_cast<double>(fromB) + static_cast<double>(num) / static_cast<double>(den);
    return at >= static_cast<double>(low) && at <= static_cast<double>(high);
}

double Norm(const Wall& wall, double x, double y)
{
    const double a = wall.width / 2.0, b = wall.height / 2.0;
    return std::hypot((x - (wall.left + a)) / a, (y - (wall.top + b)) / b);
}

}  // namespace

bool InsideEnclosure(const Wall& wall, Spot spot)
{
    return spot.x >= wall.left && spot.y >= wall.top && int64_t{spot.x} <= int64_t{wall.left} + wall.width &&
           int64_t{spot.y} <= int64_t{wall.top} + wall.height;
}

bool InsideEllipse(const Wall& wall, Spot spot)
{
    return wall.width > 0 && wall.height > 0 && Norm(wall, spot.x, spot.y) <= 1.0;
}

Spot HoldInEnclosure(const Wall& wall, bool& inside, Spot from, Spot hand)
{
    const int64_t left = wall.left, top = wall.top, right = left + wall.width, bottom = top + wall.height;
    const int mask = wall.clippingMask;
    int64_t x = hand.x, y = hand.y;
    if (inside) {
        if (mask & kLeft) x = std::max(x, left);
        if (mask & kRight) x = std::min(x, right);
        if (mask & kTop) y = std::max(y, top);
        if (mask & kBottom) y = std::min(y, bottom);
    } else {
        if ((mask & kLeft) && Crosses(from.x, from.y, x, y, left, top, bottom, +1)) x = left;
        if ((mask & kRight) && Crosses(from.x, from.y, x, y, right, top, bottom, -1)) x = right;
        if ((mask & kTop) && Crosses(from.y, from.x, y, x, top, left, right, +1)) y = top;
        if ((mask & kBottom) && Crosses(from.y, from.x, y, x, bottom, left, right, -1)) y = bottom;
    }
    const Spot held{static_cast<int32_t>(x), static_cast<int32_t>(y)};
    // Held inside, the border is inside; held outside, it is outside.
    const bool strictly = x > left && x < right && y > top && y < bottom;
    inside = inside ? InsideEnclosure(wall, held) : strictly;
    return held;
}

Spot HoldInEllipse(const Wall& wall, bool& inside, Spot from, Spot hand)
{
    if (wall.width <= 0 || wall.height <= 0) return hand;
    const double a = wall.width / 2.0, b = wall.height / 2.0, cx = wall.left + a, cy = wall.top + b;
    double x = hand.x, y = hand.y;
    if (wall.clippingMask != 0 && inside && Norm(wall, x, y) > 1.0) {
        const double n = Norm(wall, x, y);  // back along the radius onto the outline
        x = cx + (x - cx) / n;
        y = cy + (y - cy) / n;
    } else if (wall.clippingMask != 0 && !inside) {
        // The first point where the way from -> hand meets the outline, if any.
        const double px = (from.x - cx) / a, py = (from.y - cy) / b;
        const double dx = (hand.x - from.x) / a, dy = (hand.y - from.y) / b;
        const double qa = dx * dx + dy * dy, qb = 2 * (px * dx + py * dy), qc = px * px + py * py - 1;
        const double disc = qb * qb - 4 * qa * qc;
        if (qa > 0 && disc > 0) {
            const double t = (-qb - std::sqrt(disc)) / (2 * qa);
            if (t >= 0 && t <= 1) {
                x = from.x + t * (hand.x - from.x);
                y = from.y + t * (hand.y - from.y);
            }
        }
    }
    Spot held{static_cast<int32_t>(std::lround(x)), static_cast<int32_t>(std::lround(y))};
    // Rounding may land a pixel on the wrong side: step it back, a pixel at a time.
    for (int guard = 0; wall.clippingMask != 0 && guard < 4; ++guard) {
        const double n = Norm(wall, held.x, held.y);
        if (inside ? n <= 1.0 : n >= 1.0) break;
        const int step = inside ? -1 : 1;  // towards the centre inside, away outside
        if (held.x != std::lround(cx)) held.x += (held.x > cx ? step : -step);
        if (held.y != std::lround(cy)) held.y += (held.y > cy ? step : -step);
    }
    const double n = Norm(wall, held.x, held.y);
    inside = inside ? n <= 1.0 : n < 1.0;
    return held;
}

}  // namespace velsim
