// The force of each kind of effect: small pure functions of the effect's
// parameters, the handle's state and the time into the effect, with no lock,
// no COM and no clock inside. Forces are device units, -10000 to 10000 per
// axis; positions are screen pixels with Y growing downwards; products are
// taken in 64 bits, so the largest parameters cannot overflow.
// docs/simulated-plugin.md gives each formula with a worked example.
#pragma once

#include <cstdint>

namespace velsim {

inline constexpr int32_t kMaxForce = 10000;

struct Force {
    int64_t x = 0;
    int64_t y = 0;
};

// What the forces know of the handle. The hand is where the user's hand is;
// the handle is what the device reports (held back by a holding wall).
struct Motion {
    int32_t handX = 0, handY = 0;
    int32_t x = 0, y = 0;    // the handle
    int32_t vx = 0, vy = 0;  // the handle's velocity, px/s, filtered
    int32_t ax = 0, ay = 0;  // its acceleration, px/s², filtered
};

// Clips to [-limit, limit]; a limit of 0 means the device maximum.
int64_t Saturate(int64_t value, int64_t limit);

// ---- Conditions, one axis (force_condition.cpp) ----
struct ConditionAxis {
    int32_t centre = 0;
    int32_t deadBand = 0;
    int32_t positiveCoefficient = 0, negativeCoefficient = 0;
    int32_t positiveSaturation = 0, negativeSaturation = 0;  // 0: the device maximum
    int32_t minimum = 0;
};
// The spring law on a metric: beyond the dead band around the centre, the
// force is -coefficient * (distance past the band) / scale, using the
// coefficient and saturation of the side the metric is on, raised to the
// minimum when weaker but not zero.
int64_t ConditionForce(const ConditionAxis& axis, int64_t metric, int64_t scale);
inline constexpr int64_t kSpringScale = 100;      // px: coefficient 10000 gives 100 units per pixel
inline constexpr int64_t kDamperScale = 10000;    // px/s: 10000 gives 1 unit per px/s
inline constexpr int64_t kInertiaScale = 100000;  // px/s²: 10000 gives 1 unit per 10 px/s²
inline int64_t SpringForce(const ConditionAxis& a, int32_t position) { return ConditionForce(a, position, kSpringScale); }
inline int64_t DamperForce(const ConditionAxis& a, int32_t velocity) { return ConditionForce(a, velocity, kDamperScale); }
inline int64_t InertiaForce(const ConditionAxis& a, int32_t acceleration)
{
    return ConditionForce(a, acceleration, kInertiaScale);
}
// Against the direction of motion: -coefficient of the side the velocity is
// on once its speed passes the dead band (px/s), whatever the speed.
int64_t FrictionForce(const ConditionAxis& axis, int32_t velocity);

// ---- Constant, Ramp and Periodic (force_periodic.cpp) ----
// sin of an angle in hundredths of a degree, times 10000, from a table.
int32_t Sine(int64_t hundredths);
enum Waveform : int32_t { kSine = 0, kSquare = 1, kTriangle = 2, kSawtoothUp = 3, kSawtoothDown = 4 };
// One cycle, -10000 to 10000, at a cycle position in hundredths of a degree:
// sine rises from 0; square is +10000 for the first half; triangle falls from
// +10000 to -10000 and back; sawtooth up rises from -10000, down falls from +10000.
int32_t WaveAt(int32_t waveform, int64_t hundredths);
// The cycle position ms into the effect: phase + 36000 * (ms mod period) / period.
int64_t CyclePosition(int64_t ms, int32_t period, int32_t phase);
// start + (end - start) * ms / duration; start when duration is 0.
int64_t Interpolate(int32_t start, int32_t end, int64_t ms, int32_t duration);
// A level pushing along a bearing (hundredths of a degree, 0 up, 9000 right).
Force Directed(int64_t level, int32_t bearing);

// ---- Enclosure and Ellipse walls (force_wall.cpp, wall_hold.cpp) ----
struct Wall {
    int32_t left = 0, top = 0, width = 0, height = 0;
    // [0] the inner face (felt from inside), [1] the outer face.
    int32_t stiffness[2] = {}, saturation[2] = {}, thickness[2] = {};
    int32_t clippingMask = 0, stiffnessMask = 0;  // 1 left, 2 top, 4 right, 8 bottom
    int32_t viscosity = 0;
};
enum WallFace : int32_t { kLeft = 1, kTop = 2, kRight = 4, kBottom = 8 };
// Penalty forces: depth (px) of the hand into a face's band times its
// stiffness / kSpringScale, saturated; the handle (the proxy) decides which
// side's faces push. Inside also the viscosity: -viscosity * v / kDamperScale.
Force EnclosureForce(const Wall& wall, bool inside, const Motion& motion);
Force EllipseForce(const Wall& wall, bool inside, const Motion& motion);
// Where the handle may be: from where it was, towards the hand, never across
// a holding face. inside says which side it is held on, and is updated.
struct Spot {
    int32_t x = 0, y = 0;
};
Spot HoldInEnclosure(const Wall& wall, bool& inside, Spot from, Spot hand);
Spot HoldInEllipse(const Wall& wall, bool& inside, Spot from, Spot hand);
bool InsideEnclosure(const Wall& wall, Spot spot);  // borders count as inside
bool InsideEllipse(const Wall& wall, Spot spot);
// The quarter arc of an ellipse that faces a side (kLeft, ...), for a point
// at (dx, dy) from its centre: the masks select arcs as they select faces.
int32_t EllipseArc(const Wall& wall, double dx, double dy);

// ---- Grid and Texture (force_surface.cpp) ----
// Lines at origin + k * spacing snap the handle: within thickness px of the
// nearest line, strength * offset / thickness towards it.
int64_t GridForce(int32_t origin, int32_t spacing, int32_t strength, int32_t thickness, int32_t position);
// Bumps of thickness px every spacing px from 0, felt against the motion:
// -magnitude[0] moving in the positive direction, +magnitude[1] in the
// negative one; nothing at rest.
int64_t TextureForce(const int32_t magnitude[2], const int32_t spacing[2], const int32_t thickness[2],
                     int32_t position, int32_t velocity);

}  // namespace velsim
