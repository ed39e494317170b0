#include "simulator/device/forces.h"

namespace velsim {

int64_t Saturate(int64_t value, int64_t limit)
{
    if (limit <= 0 || limit > kMaxForce) limit = kMaxForce;
    return value > limit ? limit : value < -limit ? -limit : value;
}

namespace {

// The minimum lifts a weak force that is not zero; saturation wins over it.
int64_t Shaped(int64_t force, int32_t minimum, int32_t saturation)
{
    if (force != 0 && minimum > 0) {
        if (force > 0 && force < minimum) force = minimum;
        if (force < 0 && force > -minimum) force = -minimum;
    }
    return Saturate(force, saturation);
}

}  // namespace

int64_t ConditionForce(const ConditionAxis& axis, int64_t metric, int64_t scale)
{
    const int64_t distance = metric - axis.centre;
    if (distance > axis.deadBand) {
        const int64_t past = distance - axis.deadBand;
        return Shaped(-axis.positiveCoefficient * past / scale, axis.minimum, axis.positiveSaturation);
    }
    if (distance < -int64_t{axis.deadBand}) {
        const int64_t past = -distance - axis.deadBand;
        return Shaped(axis.negativeCoefficient * past / scale, axis.minimum, axis.negativeSaturation);
    }
    return 0;
}

int64_t FrictionForce(const ConditionAxis& axis, int32_t velocity)
{
    if (velocity > axis.deadBand) return Shaped(-int64_t{axis.positiveCoefficient}, axis.minimum, axis.positiveSaturation);
    if (velocity < -int64_t{axis.deadBand})
        return Shaped(int64_t{axis.negativeCoefficient}, axis.minimum, axis.negativeSaturation);
    return 0;
}

}  // namespace velsim
