#include "simulator/effects/parameters.h"

#include <limits>

#include "simulator/effects/text.h"

namespace velsim {

namespace {

using P = Parameter;
using K = EffectKind;

constexpr int32_t kMin = std::numeric_limits<int32_t>::min();
constexpr int32_t kMax = std::numeric_limits<int32_t>::max();
constexpr ValueRange kAny{kMin, kMax};
constexpr ValueRange kNonNegative{0, kMax};
constexpr ValueRange kPositive{1, kMax};
constexpr ValueRange kLevel{0, 10000};        // a force, gain or level: 0 to 100.00 %
constexpr ValueRange kSignedLevel{-10000, 10000};
constexpr ValueRange kAngle{0, 35999};        // hundredths of a degree
constexpr ValueRange kWallMask{0, 15};        // 1 left, 2 top, 4 right, 8 bottom

constexpr const char* kParameterNames[kParameterCount] = {
    "Axis", "Waveform", "Center", "ClippingMask", "CoefficientX", "CoefficientY", "DeadBandX", "DeadBandY",
    "Direction", "Duration", "Envelope", "Gain", "InsideEffect", "Magnitude", "MagnitudeX", "MagnitudeY",
    "MinimumX", "MinimumY", "Offset", "Period", "Phase", "Rectangle", "Saturation", "SaturationX", "SaturationY",
    "Spacing", "SpacingX", "SpacingY", "StartDelay", "Stiffness", "StiffnessMask", "Strength", "Thickness",
    "ThicknessX", "ThicknessY", "Viscosity",
};

// Kinds as bit sets, so the table below reads as "these kinds have this".
constexpr uint32_t Bit(K kind) { return 1u << static_cast<int>(kind); }
constexpr uint32_t kSimple = (1u << static_cast<int>(K::Compound)) - 1;
constexpr uint32_t kForces = Bit(K::Constant) | Bit(K::Ramp) | Bit(K::Periodic);
constexpr uint32_t kConditions = Bit(K::Damper) | Bit(K::Friction) | Bit(K::Inertia) | Bit(K::Spring);
constexpr uint32_t kShapes = Bit(K::Ellipse) | Bit(K::Enclosure);
constexpr uint32_t kAxisKinds = kConditions | Bit(K::Grid) | Bit(K::Texture);

constexpr uint32_t KindsWith(P parameter)
{
    switch (parameter) {
    case P::Duration: case P::Gain: case P::StartDelay:
        return kSimple;
    case P::Direction: case P::Magnitude: case P::Envelope:
        return kForces;
    case P::Offset: case P::Period: case P::Phase: case P::Waveform:
        return Bit(K::Periodic);
    case P::Axis:
        return kAxisKinds;
    case P::Center:
        return kConditions | Bit(K::Grid);
    case P::CoefficientX: case P::CoefficientY: case P::DeadBandX: case P::DeadBandY:
    case P::MinimumX: case P::MinimumY: case P::SaturationX: case P::SaturationY:
        return kConditions;
    case P::Rectangle: case P::Stiffness: case P::Saturation: case P::ClippingMask:
    case P::StiffnessMask: case P::Viscosity: case P::InsideEffect:
        return kShapes;
    case P::Thickness:
        return kShapes | Bit(K::Grid);
    case P::Spacing: case P::Strength:
        return Bit(K::Grid);
    case P::MagnitudeX: case P::MagnitudeY: case P::SpacingX: case P::SpacingY:
    case P::ThicknessX: case P::ThicknessY:
        return Bit(K::Texture);
    }
    return 0;
}

#define ONE(parameter) {P::parameter, P::parameter}, 1
#define BOTH_AXES(x, y) {P::x, P::y}, 2
constexpr ChangeInfo kChanges[kChangeCount] = {
    {ChangeId::Center, "Center", ONE(Center), 0, 2, {"x", "y"}, {kAny, kAny}},
    {ChangeId::ClippingMask, "ClippingMask", ONE(ClippingMask), 0, 1, {""}, {kWallMask}},
    {ChangeId::Coefficient, "Coefficient", BOTH_AXES(CoefficientX, CoefficientY), 0, 2,
     {"positive", "negative"}, {kSignedLevel, kSignedLevel}},
    {ChangeId::CoefficientX, "CoefficientX", ONE(CoefficientX), 0, 2, {"positive", "negative"},
     {kSignedLevel, kSignedLevel}},
    {ChangeId::CoefficientY, "CoefficientY", ONE(CoefficientY), 0, 2, {"positive", "negative"},
     {kSignedLevel, kSignedLevel}},
    {ChangeId::DeadBand, "DeadBand", BOTH_AXES(DeadBandX, DeadBandY), 0, 1, {""}, {kLevel}},
    {ChangeId::DeadBandX, "DeadBandX", ONE(DeadBandX), 0, 1, {""}, {kLevel}},
    {ChangeId::DeadBandY, "DeadBandY", ONE(DeadBandY), 0, 1, {""}, {kLevel}},
    {ChangeId::Direction, "Direction", ONE(Direction), 0, 2, {"x", "y"}, {kAny, kAny}},
    {ChangeId::DirectionPolar, "DirectionPolar", ONE(Direction), 2, 1, {""}, {kAngle}},
    {ChangeId::Duration, "Duration", ONE(Duration), 0, 1, {""}, {kNonNegative}},
    {ChangeId::Envelope, "Envelope", ONE(Envelope), 0, 4,
     {"attack level", "attack time", "fade level", "fade time"}, {kLevel, kNonNegative, kLevel, kNonNegative}},
    {ChangeId::Gain, "Gain", ONE(Gain), 0, 1, {""}, {kLevel}},
    {ChangeId::InsideEffect, "InsideEffect", ONE(InsideEffect), 0, 0, {""}, {kAny}},
    {ChangeId::Magnitude, "Magnitude", ONE(Magnitude), 0, 2, {"start", "end"}, {kSignedLevel, kSignedLevel}},
    {ChangeId::MagnitudeX, "MagnitudeX", ONE(MagnitudeX), 0, 2, {"positive", "negative"},
     {kSignedLevel, kSignedLevel}},
    {ChangeId::MagnitudeY, "MagnitudeY", ONE(MagnitudeY), 0, 2, {"positive", "negative"},
     {kSignedLevel, kSignedLevel}},
    {ChangeId::Minimum, "Minimum", BOTH_AXES(MinimumX, MinimumY), 0, 1, {""}, {kLevel}},
    {ChangeId::MinimumX, "MinimumX", ONE(MinimumX), 0, 1, {""}, {kLevel}},
    {ChangeId::MinimumY, "MinimumY", ONE(MinimumY), 0, 1, {""}, {kLevel}},
    {ChangeId::Offset, "Offset", ONE(Offset), 0, 2, {"start", "end"}, {kSignedLevel, kSignedLevel}},
    {ChangeId::Period, "Period", ONE(Period), 0, 1, {""}, {kPositive}},
    {ChangeId::Phase, "Phase", ONE(Phase), 0, 1, {""}, {kAngle}},
    {ChangeId::Rectangle, "Rectangle", ONE(Rectangle), 0, 4, {"left", "top", "width", "height"},
     {kAny, kAny, kNonNegative, kNonNegative}},
    {ChangeId::Saturation, "Saturation", ONE(Saturation), 0, 2, {"first value", "second value"},
     {kLevel, kLevel}},
    {ChangeId::SaturationX, "SaturationX", ONE(SaturationX), 0, 2, {"positive", "negative"}, {kLevel, kLevel}},
    {ChangeId::SaturationY, "SaturationY", ONE(SaturationY), 0, 2, {"positive", "negative"}, {kLevel, kLevel}},
    {ChangeId::Spacing, "Spacing", ONE(Spacing), 0, 2, {"x", "y"}, {kNonNegative, kNonNegative}},
    {ChangeId::SpacingX, "SpacingX", ONE(SpacingX), 0, 2, {"positive", "negative"},
     {kNonNegative, kNonNegative}},
    {ChangeId::SpacingY, "SpacingY", ONE(SpacingY), 0, 2, {"positive", "negative"},
     {kNonNegative, kNonNegative}},
    {ChangeId::StartDelay, "StartDelay", ONE(StartDelay), 0, 1, {""}, {kNonNegative}},
    {ChangeId::Stiffness, "Stiffness", ONE(Stiffness), 0, 2, {"first value", "second value"}, {kLevel, kLevel}},
    {ChangeId::StiffnessMask, "StiffnessMask", ONE(StiffnessMask), 0, 1, {""}, {kWallMask}},
    {ChangeId::Strength, "Strength", ONE(Strength), 0, 2, {"x", "y"}, {kLevel, kLevel}},
    {ChangeId::Thickness, "Thickness", ONE(Thickness), 0, 2, {"first value", "second value"},
     {kNonNegative, kNonNegative}},
    {ChangeId::ThicknessX, "ThicknessX", ONE(ThicknessX), 0, 2, {"positive", "negative"},
     {kNonNegative, kNonNegative}},
    {ChangeId::ThicknessY, "ThicknessY", ONE(ThicknessY), 0, 2, {"positive", "negative"},
     {kNonNegative, kNonNegative}},
    {ChangeId::Viscosity, "Viscosity", ONE(Viscosity), 0, 1, {""}, {kLevel}},
};
#undef ONE
#undef BOTH_AXES

constexpr QueryInfo kQueries[kQueryCount] = {
    {QueryId::Axis, "Axis", P::Axis, 0},
    {QueryId::CenterX, "CenterX", P::Center, 0},
    {QueryId::CenterY, "CenterY", P::Center, 1},
    {QueryId::ClippingMask, "ClippingMask", P::ClippingMask, 0},
    {QueryId::CoefficientPositiveX, "CoefficientPositiveX", P::CoefficientX, 0},
    {QueryId::CoefficientPositiveY, "CoefficientPositiveY", P::CoefficientY, 0},
    {QueryId::CoefficientNegativeX, "CoefficientNegativeX", P::CoefficientX, 1},
    {QueryId::CoefficientNegativeY, "CoefficientNegativeY", P::CoefficientY, 1},
    {QueryId::DeadBandX, "DeadBandX", P::DeadBandX, 0},
    {QueryId::DeadBandY, "DeadBandY", P::DeadBandY, 0},
    {QueryId::DirectionX, "DirectionX", P::Direction, 0},
    {QueryId::DirectionY, "DirectionY", P::Direction, 1},
    {QueryId::DirectionPolar, "DirectionPolar", P::Direction, 2},
    {QueryId::Duration, "Duration", P::Duration, 0},
    {QueryId::EnvelopeAttackLevel, "EnvelopeAttackLevel", P::Envelope, 0},
    {QueryId::EnvelopeAttackTime, "EnvelopeAttackTime", P::Envelope, 1},
    {QueryId::EnvelopeFadeLevel, "EnvelopeFadeLevel", P::Envelope, 2},
    {QueryId::EnvelopeFadeTime, "EnvelopeFadeTime", P::Envelope, 3},
    {QueryId::Gain, "Gain", P::Gain, 0},
    {QueryId::Magnitude, "Magnitude", P::Magnitude, 0},
    {QueryId::Magnitude2, "Magnitude2", P::Magnitude, 1},
    {QueryId::MagnitudePositiveX, "MagnitudePositiveX", P::MagnitudeX, 0},
    {QueryId::MagnitudePositiveY, "MagnitudePositiveY", P::MagnitudeY, 0},
    {QueryId::MagnitudeNegativeX, "MagnitudeNegativeX", P::MagnitudeX, 1},
    {QueryId::MagnitudeNegativeY, "MagnitudeNegativeY", P::MagnitudeY, 1},
    {QueryId::MinimumX, "MinimumX", P::MinimumX, 0},
    {QueryId::MinimumY, "MinimumY", P::MinimumY, 0},
    {QueryId::Offset, "Offset", P::Offset, 0},
    {QueryId::Offset2, "Offset2", P::Offset, 1},
    {QueryId::Period, "Period", P::Period, 0},
    {QueryId::Phase, "Phase", P::Phase, 0},
    {QueryId::RectangleLeft, "RectangleLeft", P::Rectangle, 0},
    {QueryId::RectangleTop, "RectangleTop", P::Rectangle, 1},
    {QueryId::RectangleWidth, "RectangleWidth", P::Rectangle, 2},
    {QueryId::RectangleHeight, "RectangleHeight", P::Rectangle, 3},
    {QueryId::Saturation, "Saturation", P::Saturation, 0},
    {QueryId::Saturation2, "Saturation2", P::Saturation, 1},
    {QueryId::SaturationPositiveX, "SaturationPositiveX", P::SaturationX, 0},
    {QueryId::SaturationPositiveY, "SaturationPositiveY", P::SaturationY, 0},
    {QueryId::SaturationNegativeX, "SaturationNegativeX", P::SaturationX, 1},
    {QueryId::SaturationNegativeY, "SaturationNegativeY", P::SaturationY, 1},
    {QueryId::SpacingPositiveX, "SpacingPositiveX", P::SpacingX, 0},
    {QueryId::SpacingPositiveY, "SpacingPositiveY", P::SpacingY, 0},
    {QueryId::SpacingNegativeX, "SpacingNegativeX", P::SpacingX, 1},
    {QueryId::SpacingNegativeY, "SpacingNegativeY", P::SpacingY, 1},
    {QueryId::SpacingX, "SpacingX", P::Spacing, 0},
    {QueryId::SpacingY, "SpacingY", P::Spacing, 1},
    {QueryId::StartDelay, "StartDelay", P::StartDelay, 0},
    {QueryId::Stiffness, "Stiffness", P::Stiffness, 0},
    {QueryId::Stiffness2, "Stiffness2", P::Stiffness, 1},
    {QueryId::StiffnessMask, "StiffnessMask", P::StiffnessMask, 0},
    {QueryId::Thickness, "Thickness", P::Thickness, 0},
    {QueryId::Thickness2, "Thickness2", P::Thickness, 1},
    {QueryId::ThicknessPositiveX, "ThicknessPositiveX", P::ThicknessX, 0},
    {QueryId::ThicknessPositiveY, "ThicknessPositiveY", P::ThicknessY, 0},
    {QueryId::ThicknessNegativeX, "ThicknessNegativeX", P::ThicknessX, 1},
    {QueryId::ThicknessNegativeY, "ThicknessNegativeY", P::ThicknessY, 1},
    {QueryId::Waveform, "Waveform", P::Waveform, 0},
};

// Describe() indexes the tables by identifier, so each row must sit at the
// position of its identifier.
constexpr bool TablesFollowTheirEnums()
{
    for (int i = 0; i < kChangeCount; ++i)
        if (static_cast<int>(kChanges[i].id) != i) return false;
    for (int i = 0; i < kQueryCount; ++i)
        if (static_cast<int>(kQueries[i].id) != i) return false;
    return true;
}
static_assert(TablesFollowTheirEnums(), "table rows must follow the order of their identifiers");

}  // namespace

const char* ParameterName(Parameter parameter)
{
    return kParameterNames[static_cast<int>(parameter)];
}

bool KindHasParameter(EffectKind kind, Parameter parameter)
{
    return (KindsWith(parameter) & Bit(kind)) != 0;
}

int32_t DefaultValue(Parameter parameter, int slot)
{
    switch (parameter) {
    case P::Gain:
        return 10000;
    case P::Period:
        return 100;
    case P::Direction:  // pointing right: X 10000, Y 0, polar 90.00 degrees
        return slot == 0 ? 10000 : slot == 2 ? 9000 : 0;
    default:
        return 0;
    }
}

const ChangeInfo& Describe(ChangeId change)
{
    return kChanges[static_cast<int>(change)];
}

Status CheckValue(const ChangeInfo& change, int valueIndex, int32_t value)
{
    const ValueRange range = change.ranges[valueIndex];
    if (value >= range.min && value <= range.max) return Status::Ok();
    std::u16string what = Ascii(change.name);
    if (*change.labels[valueIndex] != '\0') what += u" " + Ascii(change.labels[valueIndex]);
    const std::u16string bounds = range.max == kMax ? u"at least " + Decimal(range.min)
                                                    : u"between " + Decimal(range.min) + u" and " + Decimal(range.max);
    return Status::Failure(Fault::InvalidValue, what + u" must be " + bounds + u", not " + Decimal(value));
}

const ChangeInfo* FindChange(std::u16string_view name)
{
    for (const ChangeInfo& info : kChanges)
        if (name == Ascii(info.name)) return &info;
    return nullptr;
}

const QueryInfo& Describe(QueryId query)
{
    return kQueries[static_cast<int>(query)];
}

const QueryInfo* FindQuery(std::u16string_view name)
{
    for (const QueryInfo& info : kQueries)
        if (name == Ascii(info.name)) return &info;
    return nullptr;
}

bool FindParameter(std::u16string_view name, Parameter& parameter)
{
    for (int i = 0; i < kParameterCount; ++i) {
        if (name == Ascii(kParameterNames[i])) {
            parameter = static_cast<Parameter>(i);
            return true;
        }
    }
    return false;
}

bool IsReadable(Parameter parameter)
{
    for (const QueryInfo& info : kQueries)
        if (info.parameter == parameter) return true;
    return false;
}

}  // namespace velsim
