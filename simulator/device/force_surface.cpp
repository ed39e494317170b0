#include "simulator/device/forces.h"

namespace velsim {

namespace {

// The remainder on the way to minus infinity: bumps and lines repeat left of
// 0 as they do right of it.
int64_t FloorMod(int64_t value, int64_t modulus)
{
    const int64_t rest = value % modulus;
    return rest < 0 ? rest + modulus : rest;
}

}  // namespace

int64_t GridForce(int32_t origin, int32_t spacing, int32_t strength, int32_t thickness, int32_t position)
{
    if (spacing <= 0 || thickness <= 0) return 0;
    const int64_t past = FloorMod(int64_t{position} - origin, spacing);  // distance past the line below
    const int64_t towards = past * 2 <= spacing ? -past : spacing - past;  // to the nearest line
    if (towards >= thickness || towards <= -int64_t{thickness}) return 0;
    return Saturate(int64_t{strength} * towards / thickness, kMaxForce);
}

int64_t TextureForce(const int32_t magnitude[2], const int32_t spacing[2], const int32_t thickness[2],
                     int32_t position, int32_t velocity)
{
    if (velocity == 0) return 0;
    const int side = velocity > 0 ? 0 : 1;
    if (spacing[side] <= 0 || FloorMod(position, spacing[side]) >= thickness[side]) return 0;
    return velocity > 0 ? -int64_t{magnitude[0]} : int64_t{magnitude[1]};
}

}  // namespace velsim
