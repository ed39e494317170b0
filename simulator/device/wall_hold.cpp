// The proxy of holding walls (the clipping mask): the handle follows the hand
// but never crosses a holding face, from either side, however far the hand
// jumps in one step; it slides along the face instead.
#include <algorithm>
#include <cmath>
#include <cstdint>

#include "simulator/device/forces.h"

namespace velsim {

namespace {

// Whether the way from -> to crosses the vertical line x = line between y0 and
// y1 (or, swapped, a horizontal one), going in the direction of sign.
bool Crosses(int64_t fromA, int64_t fromB, int64_t toA, int64_t toB, int64_t line, int64_t low, int64_t high,
             int sign)
{
    if (sign > 0 ? !(fromA <= line && toA > line) : !(fromA >= line && toA < line)) return false;
    // Where the way meets the line, on the other axis: fromB + (toB - fromB) * t,
    // in double: the product of two 33-bit differences does not fit 64 bits.
    const double t = static_cast<double>(line - fromA) / static_cast<double>(toA - fromA);
    const double at = static_cast<double>(fromB) + static_cast<double>(toB - fromB) * t;
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
    // A box reaching past the int32 range holds at its last pixel.
    x = std::clamp<int64_t>(x, INT32_MIN, INT32_MAX);
    y = std::clamp<int64_t>(y, INT32_MIN, INT32_MAX);
    const Spot held{static_cast<int32_t>(x), static_cast<int32_t>(y)};
    // Held inside, the border is inside; held outside, it is outside.
    const bool strictly = x > left && x < right && y > top && y < bottom;
    inside = inside ? InsideEnclosure(wall, held) : strictly;
    return held;
}

Spot HoldInEllipse(const Wall& wall, bool& inside, Spot from, Spot hand)
{
    if (wall.width <= 0 || wall.height <= 0 || wall.clippingMask == 0) {
        inside = wall.width > 0 && wall.height > 0 && Norm(wall, hand.x, hand.y) < 1.0;
        return hand;
    }
    const double a = wall.width / 2.0, b = wall.height / 2.0, cx = wall.left + a, cy = wall.top + b;
    // Where the way from -> hand meets the outline, if it does: the point
    // leaving it from inside, the first one entering it from outside.
    const double px = (from.x - cx) / a, py = (from.y - cy) / b;
    const double dx = (hand.x - from.x) / a, dy = (hand.y - from.y) / b;
    const double qa = dx * dx + dy * dy, qb = 2 * (px * dx + py * dy), qc = px * px + py * py - 1;
    const double disc = qb * qb - 4 * qa * qc;
    double x = hand.x, y = hand.y;
    bool held = false;
    if (qa > 0 && disc >= 0) {
        double t = (-qb + (inside ? std::sqrt(disc) : -std::sqrt(disc))) / (2 * qa);
        if (t < 0 && t > -1e-9) t = 0;  // from lies on the outline, give or take rounding
        if (t >= 0 && t <= 1) {
            const double mx = from.x + t * (hand.x - from.x), my = from.y + t * (hand.y - from.y);
            if ((wall.clippingMask & EllipseArc(wall, mx - cx, my - cy)) != 0) {
                // Held at the meeting point, then sliding: the hand's point
                // taken back along the radius onto the outline, when inside.
                x = mx;
                y = my;
                held = true;
                const double n = Norm(wall, hand.x, hand.y);
                if (inside && n > 1.0 && (wall.clippingMask & EllipseArc(wall, hand.x - cx, hand.y - cy)) != 0) {
                    x = cx + (hand.x - cx) / n;
                    y = cy + (hand.y - cy) / n;
                }
            }
        }
    }
    Spot spot{static_cast<int32_t>(std::lround(x)), static_cast<int32_t>(std::lround(y))};
    // Rounding may land a pixel on the wrong side: step it back, a pixel at a time.
    for (int guard = 0; held && guard < 4; ++guard) {
        const double n = Norm(wall, spot.x, spot.y);
        if (inside ? n <= 1.0 : n >= 1.0) break;
        const int step = inside ? -1 : 1;  // towards the centre inside, away outside
        if (spot.x != std::lround(cx)) spot.x += (spot.x > cx ? step : -step);
        if (spot.y != std::lround(cy)) spot.y += (spot.y > cy ? step : -step);
    }
    const double n = Norm(wall, spot.x, spot.y);
    inside = held ? inside : (inside ? n <= 1.0 : n < 1.0);
    return spot;
}

}  // namespace velsim
