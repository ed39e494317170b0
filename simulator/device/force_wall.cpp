// Penalty forces of Enclosure and Ellipse walls. A face's band starts
// thickness px before the outline on the side the face is felt from; the
// hand's depth into the band, however far it is past the outline, times the
// face's stiffness / kSpringScale pushes it back, up to the face's saturation.
// Rectangles are integer arithmetic; an ellipse needs a square root, so its
// geometry is taken in double and its forces rounded to integers.
#include <cmath>

#include "simulator/device/forces.h"

namespace velsim {

namespace {

int64_t Push(const Wall& wall, int face, int64_t depth)
{
    if (depth <= 0) return 0;
    return Saturate(int64_t{wall.stiffness[face]} * depth / kSpringScale, wall.saturation[face]);
}

void AddViscosity(const Wall& wall, const Motion& motion, Force& force)
{
    force.x += Saturate(-int64_t{wall.viscosity} * motion.vx / kDamperScale, kMaxForce);
    force.y += Saturate(-int64_t{wall.viscosity} * motion.vy / kDamperScale, kMaxForce);
}

}  // namespace

int32_t EllipseArc(const Wall& wall, double dx, double dy)
{
    const double u = dx / (wall.width / 2.0), v = dy / (wall.height / 2.0);
    if (std::fabs(u) >= std::fabs(v)) return u < 0 ? kLeft : kRight;
    return v < 0 ? kTop : kBottom;
}

Force EnclosureForce(const Wall& wall, bool inside, const Motion& motion)
{
    Force force;
    const int64_t left = wall.left, top = wall.top;
    const int64_t right = left + wall.width, bottom = top + wall.height;
    const int64_t hx = motion.handX, hy = motion.handY;
    const int mask = wall.stiffnessMask;
    if (inside) {
        const int64_t band = wall.thickness[0];
        if (mask & kLeft) force.x += Push(wall, 0, left + band - hx);
        if (mask & kRight) force.x -= Push(wall, 0, hx - (right - band));
        if (mask & kTop) force.y += Push(wall, 0, top + band - hy);
        if (mask & kBottom) force.y -= Push(wall, 0, hy - (bottom - band));
        AddViscosity(wall, motion, force);
        return force;
    }
    // Outside, a face pushes when the handle is in front of it.
    const int64_t band = wall.thickness[1];
    const bool besideX = motion.y >= top && motion.y <= bottom;
    const bool besideY = motion.x >= left && motion.x <= right;
    if ((mask & kLeft) && besideX && motion.x <= left) force.x -= Push(wall, 1, hx - (left - band));
    if ((mask & kRight) && besideX && motion.x >= right) force.x += Push(wall, 1, right + band - hx);
    if ((mask & kTop) && besideY && motion.y <= top) force.y -= Push(wall, 1, hy - (top - band));
    if ((mask & kBottom) && besideY && motion.y >= bottom) force.y += Push(wall, 1, bottom + band - hy);
    return force;
}

Force EllipseForce(const Wall& wall, bool inside, const Motion& motion)
{
    Force force;
    if (wall.width <= 0 || wall.height <= 0) return force;
    const double a = wall.width / 2.0, b = wall.height / 2.0;
    const double dx = motion.handX - (wall.left + a), dy = motion.handY - (wall.top + b);
    const double distance = std::hypot(dx, dy);
    if ((wall.stiffnessMask & EllipseArc(wall, dx, dy)) != 0 && distance > 0) {
        // The outline's distance from the centre in the hand's direction.
        const double outline = distance / std::hypot(dx / a, dy / b);
        const int face = inside ? 0 : 1;
        const double depth = inside ? distance - (outline - wall.thickness[0]) : outline + wall.thickness[1] - distance;
        const int64_t push = Push(wall, face, std::llround(depth));
        // Inside, towards the centre; outside, away from it.
        const double sign = inside ? -1.0 : 1.0;
        force.x += std::llround(sign * push * dx / distance);
        force.y += std::llround(sign * push * dy / distance);
    }
    if (inside) AddViscosity(wall, motion, force);
    return force;
}

}  // namespace velsim
