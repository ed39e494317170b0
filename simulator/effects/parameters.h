// The parameters effects store, which kinds have which, and the two tables the
// COM operations and resource files go through: the changes (what each
// ChangeXxx operation sets, with the range of every value) and the queries
// (which stored value each GetXxx operation reads).
#pragma once

#include <cstdint>
#include <string_view>

#include "simulator/effects/effect_kind.h"

namespace velsim {

// A parameter holds up to four values, "slots". Direction keeps three: its X
// and Y components and its polar angle, kept in step by the model.
enum class Parameter : uint8_t {
    Axis, Waveform, Center, ClippingMask, CoefficientX, CoefficientY, DeadBandX, DeadBandY, Direction,
    Duration, Envelope, Gain, InsideEffect, Magnitude, MagnitudeX, MagnitudeY, MinimumX, MinimumY, Offset,
    Period, Phase, Rectangle, Saturation, SaturationX, SaturationY, Spacing, SpacingX, SpacingY, StartDelay,
    Stiffness, StiffnessMask, Strength, Thickness, ThicknessX, ThicknessY, Viscosity,
};
inline constexpr int kParameterCount = 36;
inline constexpr int kMaxSlots = 4;

const char* ParameterName(Parameter parameter);
bool KindHasParameter(EffectKind kind, Parameter parameter);
// The value a new effect starts with in a slot.
int32_t DefaultValue(Parameter parameter, int slot);

// One change operation: ChangeCenter is ChangeId::Center, and so on.
enum class ChangeId : uint8_t {
    Center, ClippingMask, Coefficient, CoefficientX, CoefficientY, DeadBand, DeadBandX, DeadBandY, Direction,
    DirectionPolar, Duration, Envelope, Gain, InsideEffect, Magnitude, MagnitudeX, MagnitudeY, Minimum,
    MinimumX, MinimumY, Offset, Period, Phase, Rectangle, Saturation, SaturationX, SaturationY, Spacing,
    SpacingX, SpacingY, StartDelay, Stiffness, StiffnessMask, Strength, Thickness, ThicknessX, ThicknessY,
    Viscosity,
};
inline constexpr int kChangeCount = 38;

struct ValueRange {
    int32_t min;
    int32_t max;
};

struct ChangeInfo {
    ChangeId id;
    const char* name;  // the operation's name without "Change"
    // The parameters written: one, or an X parameter and its Y twin for the
    // changes that set both axes at once (Coefficient, DeadBand, Minimum).
    Parameter parameters[2];
    int parameterCount;
    int firstSlot;   // the values go to slots firstSlot, firstSlot + 1, ...
    int valueCount;  // 0 for InsideEffect, which takes a name
    const char* labels[kMaxSlots];  // what each value is, for messages
    ValueRange ranges[kMaxSlots];
};

const ChangeInfo& Describe(ChangeId change);
const ChangeInfo* FindChange(std::u16string_view name);
// Refuses a value outside the range of the change's value at valueIndex, with
// a message such as "Envelope attack time must be at least 0, not -5".
Status CheckValue(const ChangeInfo& change, int valueIndex, int32_t value);

// One query operation: GetCenterX is QueryId::CenterX, and so on.
enum class QueryId : uint8_t {
    Axis, CenterX, CenterY, ClippingMask, CoefficientPositiveX, CoefficientPositiveY, CoefficientNegativeX,
    CoefficientNegativeY, DeadBandX, DeadBandY, DirectionX, DirectionY, DirectionPolar, Duration,
    EnvelopeAttackLevel, EnvelopeAttackTime, EnvelopeFadeLevel, EnvelopeFadeTime, Gain, Magnitude, Magnitude2,
    MagnitudePositiveX, MagnitudePositiveY, MagnitudeNegativeX, MagnitudeNegativeY, MinimumX, MinimumY, Offset,
    Offset2, Period, Phase, RectangleLeft, RectangleTop, RectangleWidth, RectangleHeight, Saturation,
    Saturation2, SaturationPositiveX, SaturationPositiveY, SaturationNegativeX, SaturationNegativeY,
    SpacingPositiveX, SpacingPositiveY, SpacingNegativeX, SpacingNegativeY, SpacingX, SpacingY, StartDelay,
    Stiffness, Stiffness2, StiffnessMask, Thickness, Thickness2, ThicknessPositiveX, ThicknessPositiveY,
    ThicknessNegativeX, ThicknessNegativeY, Waveform,
};
inline constexpr int kQueryCount = 58;

struct QueryInfo {
    QueryId id;
    const char* name;  // the operation's name without "Get"
    Parameter parameter;
    int slot;
};

const QueryInfo& Describe(QueryId query);
const QueryInfo* FindQuery(std::u16string_view name);
bool FindParameter(std::u16string_view name, Parameter& parameter);
// Whether some query reads the parameter (InsideEffect has none of its own).
bool IsReadable(Parameter parameter);

}  // namespace velsim
