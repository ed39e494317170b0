// The change operations: each stores values of one parameter of a named
// effect. The integer after the name is the apply flag, which the simulator
// accepts and ignores: with no force to render, a change is visible to the
// queries at once whatever its value.
#include "simulator/com/bstr_text.h"
#include "simulator/com/velweb_simulator.h"

namespace velsim {

HRESULT VelWebSimulator::ChangeCenter(BSTR effect, LONG /*apply*/, LONG x, LONG y, VARIANT_BOOL* result)
{
    return Change(Slot::ChangeCenter, effect, ChangeId::Center, {x, y}, result);
}

HRESULT VelWebSimulator::ChangeClippingMask(BSTR effect, LONG /*apply*/, LONG mask, VARIANT_BOOL* result)
{
    return Change(Slot::ChangeClippingMask, effect, ChangeId::ClippingMask, {mask}, result);
}

HRESULT VelWebSimulator::ChangeCoefficient(BSTR effect, LONG /*apply*/, LONG positive, LONG negative,
                                           VARIANT_BOOL* result)
{
    return Change(Slot::ChangeCoefficient, effect, ChangeId::Coefficient, {positive, negative}, result);
}

HRESULT VelWebSimulator::ChangeDeadBand(BSTR effect, LONG /*apply*/, LONG band, VARIANT_BOOL* result)
{
    return Change(Slot::ChangeDeadBand, effect, ChangeId::DeadBand, {band}, result);
}

HRESULT VelWebSimulator::ChangeDirection(BSTR effect, LONG /*apply*/, LONG x, LONG y, VARIANT_BOOL* result)
{
    return Change(Slot::ChangeDirection, effect, ChangeId::Direction, {x, y}, result);
}

HRESULT VelWebSimulator::ChangeDirectionPolar(BSTR effect, LONG /*apply*/, LONG angle, VARIANT_BOOL* result)
{
    return Change(Slot::ChangeDirectionPolar, effect, ChangeId::DirectionPolar, {angle}, result);
}

HRESULT VelWebSimulator::ChangeDuration(BSTR effect, LONG /*apply*/, LONG milliseconds, VARIANT_BOOL* result)
{
    return Change(Slot::ChangeDuration, effect, ChangeId::Duration, {milliseconds}, result);
}

HRESULT VelWebSimulator::ChangeEnvelope(BSTR effect, LONG /*apply*/, LONG attackLevel, LONG attackTime,
                                        LONG fadeLevel, LONG fadeTime, VARIANT_BOOL* result)
{
    return Change(Slot::ChangeEnvelope, effect, ChangeId::Envelope, {attackLevel, attackTime, fadeLevel, fadeTime}, result);
}

HRESULT VelWebSimulator::ChangeGain(BSTR effect, LONG /*apply*/, LONG gain, VARIANT_BOOL* result)
{
    return Change(Slot::ChangeGain, effect, ChangeId::Gain, {gain}, result);
}

HRESULT VelWebSimulator::ChangeInsideEffect(BSTR effect, LONG /*apply*/, BSTR insideEffect, LONG /*ignored*/,
                                            VARIANT_BOOL* result)
{
    return Run(Slot::ChangeInsideEffect, result, [&](VARIANT_BOOL& changed) {
        const std::u16string name = FromBstr(effect), insideName = FromBstr(insideEffect);
        std::lock_guard<std::mutex> lock(mutex_);
        const Status status = model_.ChangeInsideEffect(name, insideName);
        if (status.ok()) changed = VARIANT_TRUE;
        return status;
    });
}

HRESULT VelWebSimulator::ChangeMagnitude(BSTR effect, LONG /*apply*/, LONG start, LONG end, VARIANT_BOOL* result)
{
    return Change(Slot::ChangeMagnitude, effect, ChangeId::Magnitude, {start, end}, result);
}

HRESULT VelWebSimulator::ChangeMinimum(BSTR effect, LONG /*apply*/, LONG minimum, VARIANT_BOOL* result)
{
    return Change(Slot::ChangeMinimum, effect, ChangeId::Minimum, {minimum}, result);
}

HRESULT VelWebSimulator::ChangeOffset(BSTR effect, LONG /*apply*/, LONG start, LONG end, VARIANT_BOOL* result)
{
    return Change(Slot::ChangeOffset, effect, ChangeId::Offset, {start, end}, result);
}

HRESULT VelWebSimulator::ChangePeriod(BSTR effect, LONG /*apply*/, LONG milliseconds, VARIANT_BOOL* result)
{
    return Change(Slot::ChangePeriod, effect, ChangeId::Period, {milliseconds}, result);
}

HRESULT VelWebSimulator::ChangePhase(BSTR effect, LONG /*apply*/, LONG angle, VARIANT_BOOL* result)
{
    return Change(Slot::ChangePhase, effect, ChangeId::Phase, {angle}, result);
}

HRESULT VelWebSimulator::ChangeRectangle(BSTR effect, LONG /*apply*/, LONG left, LONG top, LONG width,
                                         LONG height, VARIANT_BOOL* result)
{
    return Change(Slot::ChangeRectangle, effect, ChangeId::Rectangle, {left, top, width, height}, result);
}

HRESULT VelWebSimulator::ChangeSaturation(BSTR effect, LONG /*apply*/, LONG first, LONG second,
                                          VARIANT_BOOL* result)
{
    return Change(Slot::ChangeSaturation, effect, ChangeId::Saturation, {first, second}, result);
}

HRESULT VelWebSimulator::ChangeSpacing(BSTR effect, LONG /*apply*/, LONG x, LONG y, VARIANT_BOOL* result)
{
    return Change(Slot::ChangeSpacing, effect, ChangeId::Spacing, {x, y}, result);
}

HRESULT VelWebSimulator::ChangeStiffness(BSTR effect, LONG /*apply*/, LONG first, LONG second,
                                         VARIANT_BOOL* result)
{
    return Change(Slot::ChangeStiffness, effect, ChangeId::Stiffness, {first, second}, result);
}

HRESULT VelWebSimulator::ChangeStiffnessMask(BSTR effect, LONG /*apply*/, LONG mask, VARIANT_BOOL* result)
{
    return Change(Slot::ChangeStiffnessMask, effect, ChangeId::StiffnessMask, {mask}, result);
}

HRESULT VelWebSimulator::ChangeStrength(BSTR effect, LONG /*apply*/, LONG x, LONG y, VARIANT_BOOL* result)
{
    return Change(Slot::ChangeStrength, effect, ChangeId::Strength, {x, y}, result);
}

HRESULT VelWebSimulator::ChangeThickness(BSTR effect, LONG /*apply*/, LONG first, LONG second,
                                         VARIANT_BOOL* result)
{
    return Change(Slot::ChangeThickness, effect, ChangeId::Thickness, {first, second}, result);
}

HRESULT VelWebSimulator::ChangeViscosity(BSTR effect, LONG /*apply*/, LONG viscosity, VARIANT_BOOL* result)
{
    return Change(Slot::ChangeViscosity, effect, ChangeId::Viscosity, {viscosity}, result);
}

HRESULT VelWebSimulator::ChangeStartDelay(BSTR effect, LONG /*apply*/, LONG milliseconds, VARIANT_BOOL* result)
{
    return Change(Slot::ChangeStartDelay, effect, ChangeId::StartDelay, {milliseconds}, result);
}

HRESULT VelWebSimulator::ChangeCoefficientX(BSTR effect, LONG /*apply*/, LONG positive, LONG negative,
                                            VARIANT_BOOL* result)
{
    return Change(Slot::ChangeCoefficientX, effect, ChangeId::CoefficientX, {positive, negative}, result);
}

HRESULT VelWebSimulator::ChangeCoefficientY(BSTR effect, LONG /*apply*/, LONG positive, LONG negative,
                                            VARIANT_BOOL* result)
{
    return Change(Slot::ChangeCoefficientY, effect, ChangeId::CoefficientY, {positive, negative}, result);
}

HRESULT VelWebSimulator::ChangeDeadBandX(BSTR effect, LONG /*apply*/, LONG band, VARIANT_BOOL* result)
{
    return Change(Slot::ChangeDeadBandX, effect, ChangeId::DeadBandX, {band}, result);
}

HRESULT VelWebSimulator::ChangeDeadBandY(BSTR effect, LONG /*apply*/, LONG band, VARIANT_BOOL* result)
{
    return Change(Slot::ChangeDeadBandY, effect, ChangeId::DeadBandY, {band}, result);
}

HRESULT VelWebSimulator::ChangeMagnitudeX(BSTR effect, LONG /*apply*/, LONG positive, LONG negative,
                                          VARIANT_BOOL* result)
{
    return Change(Slot::ChangeMagnitudeX, effect, ChangeId::MagnitudeX, {positive, negative}, result);
}

HRESULT VelWebSimulator::ChangeMagnitudeY(BSTR effect, LONG /*apply*/, LONG positive, LONG negative,
                                          VARIANT_BOOL* result)
{
    return Change(Slot::ChangeMagnitudeY, effect, ChangeId::MagnitudeY, {positive, negative}, result);
}

HRESULT VelWebSimulator::ChangeMinimumX(BSTR effect, LONG /*apply*/, LONG minimum, VARIANT_BOOL* result)
{
    return Change(Slot::ChangeMinimumX, effect, ChangeId::MinimumX, {minimum}, result);
}

HRESULT VelWebSimulator::ChangeMinimumY(BSTR effect, LONG /*apply*/, LONG minimum, VARIANT_BOOL* result)
{
    return Change(Slot::ChangeMinimumY, effect, ChangeId::MinimumY, {minimum}, result);
}

HRESULT VelWebSimulator::ChangeSaturationX(BSTR effect, LONG /*apply*/, LONG positive, LONG negative,
                                           VARIANT_BOOL* result)
{
    return Change(Slot::ChangeSaturationX, effect, ChangeId::SaturationX, {positive, negative}, result);
}

HRESULT VelWebSimulator::ChangeSaturationY(BSTR effect, LONG /*apply*/, LONG positive, LONG negative,
                                           VARIANT_BOOL* result)
{
    return Change(Slot::ChangeSaturationY, effect, ChangeId::SaturationY, {positive, negative}, result);
}

HRESULT VelWebSimulator::ChangeSpacingX(BSTR effect, LONG /*apply*/, LONG positive, LONG negative,
                                        VARIANT_BOOL* result)
{
    return Change(Slot::ChangeSpacingX, effect, ChangeId::SpacingX, {positive, negative}, result);
}

HRESULT VelWebSimulator::ChangeSpacingY(BSTR effect, LONG /*apply*/, LONG positive, LONG negative,
                                        VARIANT_BOOL* result)
{
    return Change(Slot::ChangeSpacingY, effect, ChangeId::SpacingY, {positive, negative}, result);
}

HRESULT VelWebSimulator::ChangeThicknessX(BSTR effect, LONG /*apply*/, LONG positive, LONG negative,
                                          VARIANT_BOOL* result)
{
    return Change(Slot::ChangeThicknessX, effect, ChangeId::ThicknessX, {positive, negative}, result);
}

HRESULT VelWebSimulator::ChangeThicknessY(BSTR effect, LONG /*apply*/, LONG positive, LONG negative,
                                          VARIANT_BOOL* result)
{
    return Change(Slot::ChangeThicknessY, effect, ChangeId::ThicknessY, {positive, negative}, result);
}

}  // namespace velsim
