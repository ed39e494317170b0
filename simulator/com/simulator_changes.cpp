// The change operations: each stores values of one parameter of a named
// effect. The integer after the name is the apply flag: non-zero makes a
// playing effect play with the new values at once, 0 keeps them for its next
// start. The queries read the new values at once either way. The inside
// effect is the exception: a shape always feels its latest inside effect.
#include "simulator/com/bstr_text.h"
#include "simulator/com/velweb_simulator.h"

namespace velsim {

HRESULT VelWebSimulator::ChangeCenter(BSTR effect, LONG apply, LONG x, LONG y, VARIANT_BOOL* result)
{
    return Change(Slot::ChangeCenter, effect, ChangeId::Center, {x, y}, apply, result);
}

HRESULT VelWebSimulator::ChangeClippingMask(BSTR effect, LONG apply, LONG mask, VARIANT_BOOL* result)
{
    return Change(Slot::ChangeClippingMask, effect, ChangeId::ClippingMask, {mask}, apply, result);
}

HRESULT VelWebSimulator::ChangeCoefficient(BSTR effect, LONG apply, LONG positive, LONG negative,
                                           VARIANT_BOOL* result)
{
    return Change(Slot::ChangeCoefficient, effect, ChangeId::Coefficient, {positive, negative}, apply, result);
}

HRESULT VelWebSimulator::ChangeDeadBand(BSTR effect, LONG apply, LONG band, VARIANT_BOOL* result)
{
    return Change(Slot::ChangeDeadBand, effect, ChangeId::DeadBand, {band}, apply, result);
}

HRESULT VelWebSimulator::ChangeDirection(BSTR effect, LONG apply, LONG x, LONG y, VARIANT_BOOL* result)
{
    return Change(Slot::ChangeDirection, effect, ChangeId::Direction, {x, y}, apply, result);
}

HRESULT VelWebSimulator::ChangeDirectionPolar(BSTR effect, LONG apply, LONG angle, VARIANT_BOOL* result)
{
    return Change(Slot::ChangeDirectionPolar, effect, ChangeId::DirectionPolar, {angle}, apply, result);
}

HRESULT VelWebSimulator::ChangeDuration(BSTR effect, LONG apply, LONG milliseconds, VARIANT_BOOL* result)
{
    return Change(Slot::ChangeDuration, effect, ChangeId::Duration, {milliseconds}, apply, result);
}

HRESULT VelWebSimulator::ChangeEnvelope(BSTR effect, LONG apply, LONG attackLevel, LONG attackTime,
                                        LONG fadeLevel, LONG fadeTime, VARIANT_BOOL* result)
{
    return Change(Slot::ChangeEnvelope, effect, ChangeId::Envelope, {attackLevel, attackTime, fadeLevel, fadeTime}, apply, result);
}

HRESULT VelWebSimulator::ChangeGain(BSTR effect, LONG apply, LONG gain, VARIANT_BOOL* result)
{
    return Change(Slot::ChangeGain, effect, ChangeId::Gain, {gain}, apply, result);
}

HRESULT VelWebSimulator::ChangeInsideEffect(BSTR effect, LONG /*apply: see above*/, BSTR insideEffect, LONG /*ignored*/,
                                            VARIANT_BOOL* result)
{
    return Run(Slot::ChangeInsideEffect, result, [&](VARIANT_BOOL& changed) {
        const std::u16string name = FromBstr(effect), insideName = FromBstr(insideEffect);
        const auto lock = LockUpToDate();
        const Status status = model_.ChangeInsideEffect(name, insideName);
        device_.EffectsChanged();
        if (status.ok()) changed = VARIANT_TRUE;
        return status;
    });
}

HRESULT VelWebSimulator::ChangeMagnitude(BSTR effect, LONG apply, LONG start, LONG end, VARIANT_BOOL* result)
{
    return Change(Slot::ChangeMagnitude, effect, ChangeId::Magnitude, {start, end}, apply, result);
}

HRESULT VelWebSimulator::ChangeMinimum(BSTR effect, LONG apply, LONG minimum, VARIANT_BOOL* result)
{
    return Change(Slot::ChangeMinimum, effect, ChangeId::Minimum, {minimum}, apply, result);
}

HRESULT VelWebSimulator::ChangeOffset(BSTR effect, LONG apply, LONG start, LONG end, VARIANT_BOOL* result)
{
    return Change(Slot::ChangeOffset, effect, ChangeId::Offset, {start, end}, apply, result);
}

HRESULT VelWebSimulator::ChangePeriod(BSTR effect, LONG apply, LONG milliseconds, VARIANT_BOOL* result)
{
    return Change(Slot::ChangePeriod, effect, ChangeId::Period, {milliseconds}, apply, result);
}

HRESULT VelWebSimulator::ChangePhase(BSTR effect, LONG apply, LONG angle, VARIANT_BOOL* result)
{
    return Change(Slot::ChangePhase, effect, ChangeId::Phase, {angle}, apply, result);
}

HRESULT VelWebSimulator::ChangeRectangle(BSTR effect, LONG apply, LONG left, LONG top, LONG width,
                                         LONG height, VARIANT_BOOL* result)
{
    return Change(Slot::ChangeRectangle, effect, ChangeId::Rectangle, {left, top, width, height}, apply, result);
}

HRESULT VelWebSimulator::ChangeSaturation(BSTR effect, LONG apply, LONG first, LONG second,
                                          VARIANT_BOOL* result)
{
    return Change(Slot::ChangeSaturation, effect, ChangeId::Saturation, {first, second}, apply, result);
}

HRESULT VelWebSimulator::ChangeSpacing(BSTR effect, LONG apply, LONG x, LONG y, VARIANT_BOOL* result)
{
    return Change(Slot::ChangeSpacing, effect, ChangeId::Spacing, {x, y}, apply, result);
}

HRESULT VelWebSimulator::ChangeStiffness(BSTR effect, LONG apply, LONG first, LONG second,
                                         VARIANT_BOOL* result)
{
    return Change(Slot::ChangeStiffness, effect, ChangeId::Stiffness, {first, second}, apply, result);
}

HRESULT VelWebSimulator::ChangeStiffnessMask(BSTR effect, LONG apply, LONG mask, VARIANT_BOOL* result)
{
    return Change(Slot::ChangeStiffnessMask, effect, ChangeId::StiffnessMask, {mask}, apply, result);
}

HRESULT VelWebSimulator::ChangeStrength(BSTR effect, LONG apply, LONG x, LONG y, VARIANT_BOOL* result)
{
    return Change(Slot::ChangeStrength, effect, ChangeId::Strength, {x, y}, apply, result);
}

HRESULT VelWebSimulator::ChangeThickness(BSTR effect, LONG apply, LONG first, LONG second,
                                         VARIANT_BOOL* result)
{
    return Change(Slot::ChangeThickness, effect, ChangeId::Thickness, {first, second}, apply, result);
}

HRESULT VelWebSimulator::ChangeViscosity(BSTR effect, LONG apply, LONG viscosity, VARIANT_BOOL* result)
{
    return Change(Slot::ChangeViscosity, effect, ChangeId::Viscosity, {viscosity}, apply, result);
}

HRESULT VelWebSimulator::ChangeStartDelay(BSTR effect, LONG apply, LONG milliseconds, VARIANT_BOOL* result)
{
    return Change(Slot::ChangeStartDelay, effect, ChangeId::StartDelay, {milliseconds}, apply, result);
}

HRESULT VelWebSimulator::ChangeCoefficientX(BSTR effect, LONG apply, LONG positive, LONG negative,
                                            VARIANT_BOOL* result)
{
    return Change(Slot::ChangeCoefficientX, effect, ChangeId::CoefficientX, {positive, negative}, apply, result);
}

HRESULT VelWebSimulator::ChangeCoefficientY(BSTR effect, LONG apply, LONG positive, LONG negative,
                                            VARIANT_BOOL* result)
{
    return Change(Slot::ChangeCoefficientY, effect, ChangeId::CoefficientY, {positive, negative}, apply, result);
}

HRESULT VelWebSimulator::ChangeDeadBandX(BSTR effect, LONG apply, LONG band, VARIANT_BOOL* result)
{
    return Change(Slot::ChangeDeadBandX, effect, ChangeId::DeadBandX, {band}, apply, result);
}

HRESULT VelWebSimulator::ChangeDeadBandY(BSTR effect, LONG apply, LONG band, VARIANT_BOOL* result)
{
    return Change(Slot::ChangeDeadBandY, effect, ChangeId::DeadBandY, {band}, apply, result);
}

HRESULT VelWebSimulator::ChangeMagnitudeX(BSTR effect, LONG apply, LONG positive, LONG negative,
                                          VARIANT_BOOL* result)
{
    return Change(Slot::ChangeMagnitudeX, effect, ChangeId::MagnitudeX, {positive, negative}, apply, result);
}

HRESULT VelWebSimulator::ChangeMagnitudeY(BSTR effect, LONG apply, LONG positive, LONG negative,
                                          VARIANT_BOOL* result)
{
    return Change(Slot::ChangeMagnitudeY, effect, ChangeId::MagnitudeY, {positive, negative}, apply, result);
}

HRESULT VelWebSimulator::ChangeMinimumX(BSTR effect, LONG apply, LONG minimum, VARIANT_BOOL* result)
{
    return Change(Slot::ChangeMinimumX, effect, ChangeId::MinimumX, {minimum}, apply, result);
}

HRESULT VelWebSimulator::ChangeMinimumY(BSTR effect, LONG apply, LONG minimum, VARIANT_BOOL* result)
{
    return Change(Slot::ChangeMinimumY, effect, ChangeId::MinimumY, {minimum}, apply, result);
}

HRESULT VelWebSimulator::ChangeSaturationX(BSTR effect, LONG apply, LONG positive, LONG negative,
                                           VARIANT_BOOL* result)
{
    return Change(Slot::ChangeSaturationX, effect, ChangeId::SaturationX, {positive, negative}, apply, result);
}

HRESULT VelWebSimulator::ChangeSaturationY(BSTR effect, LONG apply, LONG positive, LONG negative,
                                           VARIANT_BOOL* result)
{
    return Change(Slot::ChangeSaturationY, effect, ChangeId::SaturationY, {positive, negative}, apply, result);
}

HRESULT VelWebSimulator::ChangeSpacingX(BSTR effect, LONG apply, LONG positive, LONG negative,
                                        VARIANT_BOOL* result)
{
    return Change(Slot::ChangeSpacingX, effect, ChangeId::SpacingX, {positive, negative}, apply, result);
}

HRESULT VelWebSimulator::ChangeSpacingY(BSTR effect, LONG apply, LONG positive, LONG negative,
                                        VARIANT_BOOL* result)
{
    return Change(Slot::ChangeSpacingY, effect, ChangeId::SpacingY, {positive, negative}, apply, result);
}

HRESULT VelWebSimulator::ChangeThicknessX(BSTR effect, LONG apply, LONG positive, LONG negative,
                                          VARIANT_BOOL* result)
{
    return Change(Slot::ChangeThicknessX, effect, ChangeId::ThicknessX, {positive, negative}, apply, result);
}

HRESULT VelWebSimulator::ChangeThicknessY(BSTR effect, LONG apply, LONG positive, LONG negative,
                                          VARIANT_BOOL* result)
{
    return Change(Slot::ChangeThicknessY, effect, ChangeId::ThicknessY, {positive, negative}, apply, result);
}

}  // namespace velsim
