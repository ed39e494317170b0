// The query operations: each reads one stored value of a named effect. The
// integer after the name is not used.
#include "simulator/com/velweb_simulator.h"

namespace velsim {

HRESULT VelWebSimulator::GetAxis(BSTR effect, LONG /*ignored*/, LONG* result)
{
    return Query(Slot::GetAxis, effect, QueryId::Axis, result);
}

HRESULT VelWebSimulator::GetCenterX(BSTR effect, LONG /*ignored*/, LONG* result)
{
    return Query(Slot::GetCenterX, effect, QueryId::CenterX, result);
}

HRESULT VelWebSimulator::GetCenterY(BSTR effect, LONG /*ignored*/, LONG* result)
{
    return Query(Slot::GetCenterY, effect, QueryId::CenterY, result);
}

HRESULT VelWebSimulator::GetClippingMask(BSTR effect, LONG /*ignored*/, LONG* result)
{
    return Query(Slot::GetClippingMask, effect, QueryId::ClippingMask, result);
}

HRESULT VelWebSimulator::GetCoefficientPositiveX(BSTR effect, LONG /*ignored*/, LONG* result)
{
    return Query(Slot::GetCoefficientPositiveX, effect, QueryId::CoefficientPositiveX, result);
}

HRESULT VelWebSimulator::GetCoefficientPositiveY(BSTR effect, LONG /*ignored*/, LONG* result)
{
    return Query(Slot::GetCoefficientPositiveY, effect, QueryId::CoefficientPositiveY, result);
}

HRESULT VelWebSimulator::GetCoefficientNegativeX(BSTR effect, LONG /*ignored*/, LONG* result)
{
    return Query(Slot::GetCoefficientNegativeX, effect, QueryId::CoefficientNegativeX, result);
}

HRESULT VelWebSimulator::GetCoefficientNegativeY(BSTR effect, LONG /*ignored*/, LONG* result)
{
    return Query(Slot::GetCoefficientNegativeY, effect, QueryId::CoefficientNegativeY, result);
}

HRESULT VelWebSimulator::GetDeadBandX(BSTR effect, LONG /*ignored*/, LONG* result)
{
    return Query(Slot::GetDeadBandX, effect, QueryId::DeadBandX, result);
}

HRESULT VelWebSimulator::GetDeadBandY(BSTR effect, LONG /*ignored*/, LONG* result)
{
    return Query(Slot::GetDeadBandY, effect, QueryId::DeadBandY, result);
}

HRESULT VelWebSimulator::GetDirectionX(BSTR effect, LONG /*ignored*/, LONG* result)
{
    return Query(Slot::GetDirectionX, effect, QueryId::DirectionX, result);
}

HRESULT VelWebSimulator::GetDirectionY(BSTR effect, LONG /*ignored*/, LONG* result)
{
    return Query(Slot::GetDirectionY, effect, QueryId::DirectionY, result);
}

HRESULT VelWebSimulator::GetDirectionPolar(BSTR effect, LONG /*ignored*/, LONG* result)
{
    return Query(Slot::GetDirectionPolar, effect, QueryId::DirectionPolar, result);
}

HRESULT VelWebSimulator::GetDuration(BSTR effect, LONG /*ignored*/, LONG* result)
{
    return Query(Slot::GetDuration, effect, QueryId::Duration, result);
}

HRESULT VelWebSimulator::GetEnvelopeAttackLevel(BSTR effect, LONG /*ignored*/, LONG* result)
{
    return Query(Slot::GetEnvelopeAttackLevel, effect, QueryId::EnvelopeAttackLevel, result);
}

HRESULT VelWebSimulator::GetEnvelopeAttackTime(BSTR effect, LONG /*ignored*/, LONG* result)
{
    return Query(Slot::GetEnvelopeAttackTime, effect, QueryId::EnvelopeAttackTime, result);
}

HRESULT VelWebSimulator::GetEnvelopeFadeLevel(BSTR effect, LONG /*ignored*/, LONG* result)
{
    return Query(Slot::GetEnvelopeFadeLevel, effect, QueryId::EnvelopeFadeLevel, result);
}

HRESULT VelWebSimulator::GetEnvelopeFadeTime(BSTR effect, LONG /*ignored*/, LONG* result)
{
    return Query(Slot::GetEnvelopeFadeTime, effect, QueryId::EnvelopeFadeTime, result);
}

HRESULT VelWebSimulator::GetGain(BSTR effect, LONG /*ignored*/, LONG* result)
{
    return Query(Slot::GetGain, effect, QueryId::Gain, result);
}

HRESULT VelWebSimulator::GetMagnitude(BSTR effect, LONG /*ignored*/, LONG* result)
{
    return Query(Slot::GetMagnitude, effect, QueryId::Magnitude, result);
}

HRESULT VelWebSimulator::GetMagnitude2(BSTR effect, LONG /*ignored*/, LONG* result)
{
    return Query(Slot::GetMagnitude2, effect, QueryId::Magnitude2, result);
}

HRESULT VelWebSimulator::GetMagnitudePositiveX(BSTR effect, LONG /*ignored*/, LONG* result)
{
    return Query(Slot::GetMagnitudePositiveX, effect, QueryId::MagnitudePositiveX, result);
}

HRESULT VelWebSimulator::GetMagnitudePositiveY(BSTR effect, LONG /*ignored*/, LONG* result)
{
    return Query(Slot::GetMagnitudePositiveY, effect, QueryId::MagnitudePositiveY, result);
}

HRESULT VelWebSimulator::GetMagnitudeNegativeX(BSTR effect, LONG /*ignored*/, LONG* result)
{
    return Query(Slot::GetMagnitudeNegativeX, effect, QueryId::MagnitudeNegativeX, result);
}

HRESULT VelWebSimulator::GetMagnitudeNegativeY(BSTR effect, LONG /*ignored*/, LONG* result)
{
    return Query(Slot::GetMagnitudeNegativeY, effect, QueryId::MagnitudeNegativeY, result);
}

HRESULT VelWebSimulator::GetMinimumX(BSTR effect, LONG /*ignored*/, LONG* result)
{
    return Query(Slot::GetMinimumX, effect, QueryId::MinimumX, result);
}

HRESULT VelWebSimulator::GetMinimumY(BSTR effect, LONG /*ignored*/, LONG* result)
{
    return Query(Slot::GetMinimumY, effect, QueryId::MinimumY, result);
}

HRESULT VelWebSimulator::GetOffset(BSTR effect, LONG /*ignored*/, LONG* result)
{
    return Query(Slot::GetOffset, effect, QueryId::Offset, result);
}

HRESULT VelWebSimulator::GetOffset2(BSTR effect, LONG /*ignored*/, LONG* result)
{
    return Query(Slot::GetOffset2, effect, QueryId::Offset2, result);
}

HRESULT VelWebSimulator::GetPeriod(BSTR effect, LONG /*ignored*/, LONG* result)
{
    return Query(Slot::GetPeriod, effect, QueryId::Period, result);
}

HRESULT VelWebSimulator::GetPhase(BSTR effect, LONG /*ignored*/, LONG* result)
{
    return Query(Slot::GetPhase, effect, QueryId::Phase, result);
}

HRESULT VelWebSimulator::GetRectangleLeft(BSTR effect, LONG /*ignored*/, LONG* result)
{
    return Query(Slot::GetRectangleLeft, effect, QueryId::RectangleLeft, result);
}

HRESULT VelWebSimulator::GetRectangleTop(BSTR effect, LONG /*ignored*/, LONG* result)
{
    return Query(Slot::GetRectangleTop, effect, QueryId::RectangleTop, result);
}

HRESULT VelWebSimulator::GetRectangleWidth(BSTR effect, LONG /*ignored*/, LONG* result)
{
    return Query(Slot::GetRectangleWidth, effect, QueryId::RectangleWidth, result);
}

HRESULT VelWebSimulator::GetRectangleHeight(BSTR effect, LONG /*ignored*/, LONG* result)
{
    return Query(Slot::GetRectangleHeight, effect, QueryId::RectangleHeight, result);
}

HRESULT VelWebSimulator::GetSaturation(BSTR effect, LONG /*ignored*/, LONG* result)
{
    return Query(Slot::GetSaturation, effect, QueryId::Saturation, result);
}

HRESULT VelWebSimulator::GetSaturation2(BSTR effect, LONG /*ignored*/, LONG* result)
{
    return Query(Slot::GetSaturation2, effect, QueryId::Saturation2, result);
}

HRESULT VelWebSimulator::GetSaturationPositiveX(BSTR effect, LONG /*ignored*/, LONG* result)
{
    return Query(Slot::GetSaturationPositiveX, effect, QueryId::SaturationPositiveX, result);
}

HRESULT VelWebSimulator::GetSaturationPositiveY(BSTR effect, LONG /*ignored*/, LONG* result)
{
    return Query(Slot::GetSaturationPositiveY, effect, QueryId::SaturationPositiveY, result);
}

HRESULT VelWebSimulator::GetSaturationNegativeX(BSTR effect, LONG /*ignored*/, LONG* result)
{
    return Query(Slot::GetSaturationNegativeX, effect, QueryId::SaturationNegativeX, result);
}

HRESULT VelWebSimulator::GetSaturationNegativeY(BSTR effect, LONG /*ignored*/, LONG* result)
{
    return Query(Slot::GetSaturationNegativeY, effect, QueryId::SaturationNegativeY, result);
}

HRESULT VelWebSimulator::GetSpacingPositiveX(BSTR effect, LONG /*ignored*/, LONG* result)
{
    return Query(Slot::GetSpacingPositiveX, effect, QueryId::SpacingPositiveX, result);
}

HRESULT VelWebSimulator::GetSpacingPositiveY(BSTR effect, LONG /*ignored*/, LONG* result)
{
    return Query(Slot::GetSpacingPositiveY, effect, QueryId::SpacingPositiveY, result);
}

HRESULT VelWebSimulator::GetSpacingNegativeX(BSTR effect, LONG /*ignored*/, LONG* result)
{
    return Query(Slot::GetSpacingNegativeX, effect, QueryId::SpacingNegativeX, result);
}

HRESULT VelWebSimulator::GetSpacingNegativeY(BSTR effect, LONG /*ignored*/, LONG* result)
{
    return Query(Slot::GetSpacingNegativeY, effect, QueryId::SpacingNegativeY, result);
}

HRESULT VelWebSimulator::GetSpacingX(BSTR effect, LONG /*ignored*/, LONG* result)
{
    return Query(Slot::GetSpacingX, effect, QueryId::SpacingX, result);
}

HRESULT VelWebSimulator::GetSpacingY(BSTR effect, LONG /*ignored*/, LONG* result)
{
    return Query(Slot::GetSpacingY, effect, QueryId::SpacingY, result);
}

HRESULT VelWebSimulator::GetStartDelay(BSTR effect, LONG /*ignored*/, LONG* result)
{
    return Query(Slot::GetStartDelay, effect, QueryId::StartDelay, result);
}

HRESULT VelWebSimulator::GetStiffness(BSTR effect, LONG /*ignored*/, LONG* result)
{
    return Query(Slot::GetStiffness, effect, QueryId::Stiffness, result);
}

HRESULT VelWebSimulator::GetStiffness2(BSTR effect, LONG /*ignored*/, LONG* result)
{
    return Query(Slot::GetStiffness2, effect, QueryId::Stiffness2, result);
}

HRESULT VelWebSimulator::GetStiffnessMask(BSTR effect, LONG /*ignored*/, LONG* result)
{
    return Query(Slot::GetStiffnessMask, effect, QueryId::StiffnessMask, result);
}

HRESULT VelWebSimulator::GetThickness(BSTR effect, LONG /*ignored*/, LONG* result)
{
    return Query(Slot::GetThickness, effect, QueryId::Thickness, result);
}

HRESULT VelWebSimulator::GetThickness2(BSTR effect, LONG /*ignored*/, LONG* result)
{
    return Query(Slot::GetThickness2, effect, QueryId::Thickness2, result);
}

HRESULT VelWebSimulator::GetThicknessPositiveX(BSTR effect, LONG /*ignored*/, LONG* result)
{
    return Query(Slot::GetThicknessPositiveX, effect, QueryId::ThicknessPositiveX, result);
}

HRESULT VelWebSimulator::GetThicknessPositiveY(BSTR effect, LONG /*ignored*/, LONG* result)
{
    return Query(Slot::GetThicknessPositiveY, effect, QueryId::ThicknessPositiveY, result);
}

HRESULT VelWebSimulator::GetThicknessNegativeX(BSTR effect, LONG /*ignored*/, LONG* result)
{
    return Query(Slot::GetThicknessNegativeX, effect, QueryId::ThicknessNegativeX, result);
}

HRESULT VelWebSimulator::GetThicknessNegativeY(BSTR effect, LONG /*ignored*/, LONG* result)
{
    return Query(Slot::GetThicknessNegativeY, effect, QueryId::ThicknessNegativeY, result);
}

HRESULT VelWebSimulator::GetWaveform(BSTR effect, LONG /*ignored*/, LONG* result)
{
    return Query(Slot::GetWaveform, effect, QueryId::Waveform, result);
}

}  // namespace velsim
