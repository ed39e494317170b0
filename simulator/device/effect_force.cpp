#include "simulator/device/effect_force.h"

#include "simulator/device/timeline.h"

namespace velsim {

namespace {

const std::array<int32_t, kMaxSlots>& Of(const ParameterValues& values, Parameter parameter)
{
    return values[static_cast<int>(parameter)];
}

Envelope EnvelopeOf(const ParameterValues& values)
{
    const auto& e = Of(values, Parameter::Envelope);
    return {e[0], e[1], e[2], e[3]};
}

ConditionAxis ConditionOf(const ParameterValues& values, bool yAxis, bool withCentre)
{
    using P = Parameter;
    ConditionAxis axis;
    axis.centre = withCentre ? Of(values, P::Center)[yAxis ? 1 : 0] : 0;
    axis.deadBand = Of(values, yAxis ? P::DeadBandY : P::DeadBandX)[0];
    const auto& coefficient = Of(values, yAxis ? P::CoefficientY : P::CoefficientX);
    axis.positiveCoefficient = coefficient[0];
    axis.negativeCoefficient = coefficient[1];
    const auto& saturation = Of(values, yAxis ? P::SaturationY : P::SaturationX);
    axis.positiveSaturation = saturation[0];
    axis.negativeSaturation = saturation[1];
    axis.minimum = Of(values, yAxis ? P::MinimumY : P::MinimumX)[0];
    return axis;
}

// Axis 0 works on both axes, 1 on X only, 2 on Y only.
bool OnX(const ParameterValues& values) { return Of(values, Parameter::Axis)[0] != 2; }
bool OnY(const ParameterValues& values) { return Of(values, Parameter::Axis)[0] != 1; }

// Constant, Ramp and Periodic: a level along the effect's direction.
int64_t LevelOf(EffectKind kind, const ParameterValues& values, int64_t ms)
{
    const int32_t duration = Of(values, Parameter::Duration)[0];
    const auto& magnitude = Of(values, Parameter::Magnitude);
    const Envelope envelope = EnvelopeOf(values);
    if (kind == EffectKind::Constant) return ApplyEnvelope(magnitude[0], envelope, ms, duration);
    const int64_t level = Interpolate(magnitude[0], magnitude[1], ms, duration);
    if (kind == EffectKind::Ramp) return ApplyEnvelope(level, envelope, ms, duration);
    const auto& offset = Of(values, Parameter::Offset);
    const int64_t position = CyclePosition(ms, Of(values, Parameter::Period)[0], Of(values, Parameter::Phase)[0]);
    const int32_t wave = WaveAt(Of(values, Parameter::Waveform)[0], position);
    return Interpolate(offset[0], offset[1], ms, duration) + ApplyEnvelope(level, envelope, ms, duration) * wave / 10000;
}

Force OwnForce(EffectKind kind, const ParameterValues& values, int64_t ms, const Motion& motion, bool inside,
               InsideEffect insideEffect)
{
    using K = EffectKind;
    using P = Parameter;
    Force force;
    switch (kind) {
    case K::Constant: case K::Ramp: case K::Periodic:
        return Directed(LevelOf(kind, values, ms), Of(values, P::Direction)[2]);
    case K::Spring: case K::Damper: case K::Inertia: case K::Friction: {
        const auto one = [&](bool yAxis) -> int64_t {
            const ConditionAxis axis = ConditionOf(values, yAxis, kind == K::Spring);
            switch (kind) {
            case K::Spring: return SpringForce(axis, yAxis ? motion.y : motion.x);
            case K::Damper: return DamperForce(axis, yAxis ? motion.vy : motion.vx);
            case K::Inertia: return InertiaForce(axis, yAxis ? motion.ay : motion.ax);
            default: return FrictionForce(axis, yAxis ? motion.vy : motion.vx);
            }
        };
        if (OnX(values)) force.x = one(false);
        if (OnY(values)) force.y = one(true);
        return force;
    }
    case K::Grid: {
        const auto& centre = Of(values, P::Center);
        const auto& spacing = Of(values, P::Spacing);
        const auto& strength = Of(values, P::Strength);
        const auto& thickness = Of(values, P::Thickness);
        if (OnX(values)) force.x = GridForce(centre[0], spacing[0], strength[0], thickness[0], motion.x);
        if (OnY(values)) force.y = GridForce(centre[1], spacing[1], strength[1], thickness[1], motion.y);
        return force;
    }
    case K::Texture: {
        const auto along = [&](P magnitude, P spacing, P thickness, int32_t position, int32_t velocity) {
            return TextureForce(Of(values, magnitude).data(), Of(values, spacing).data(), Of(values, thickness).data(),
                                position, velocity);
        };
        if (OnX(values)) force.x = along(P::MagnitudeX, P::SpacingX, P::ThicknessX, motion.x, motion.vx);
        if (OnY(values)) force.y = along(P::MagnitudeY, P::SpacingY, P::ThicknessY, motion.y, motion.vy);
        return force;
    }
    case K::Ellipse: case K::Enclosure: {
        const Wall wall = WallOf(values);
        force = kind == K::Ellipse ? EllipseForce(wall, inside, motion) : EnclosureForce(wall, inside, motion);
        if (inside && insideEffect.values != nullptr) {
            const Force felt = EffectForce(insideEffect.kind, *insideEffect.values, ms, motion, false);
            force.x += felt.x;
            force.y += felt.y;
        }
        return force;
    }
    case K::Compound:
        return force;  // its members play on their own
    }
    return force;
}

}  // namespace

Wall WallOf(const ParameterValues& values)
{
    using P = Parameter;
    Wall wall;
    const auto& rectangle = Of(values, P::Rectangle);
    wall.left = rectangle[0];
    wall.top = rectangle[1];
    wall.width = rectangle[2];
    wall.height = rectangle[3];
    for (int face = 0; face < 2; ++face) {
        wall.stiffness[face] = Of(values, P::Stiffness)[face];
        wall.saturation[face] = Of(values, P::Saturation)[face];
        wall.thickness[face] = Of(values, P::Thickness)[face];
    }
    wall.clippingMask = Of(values, P::ClippingMask)[0];
    wall.stiffnessMask = Of(values, P::StiffnessMask)[0];
    wall.viscosity = Of(values, P::Viscosity)[0];
    return wall;
}

Force EffectForce(EffectKind kind, const ParameterValues& values, int64_t intoIteration, const Motion& motion,
                  bool inside, InsideEffect insideEffect)
{
    Force force = OwnForce(kind, values, intoIteration, motion, inside, insideEffect);
    const int64_t gain = Of(values, Parameter::Gain)[0];
    force.x = force.x * gain / 10000;
    force.y = force.y * gain / 10000;
    return force;
}

}  // namespace velsim
