#include "simulator/effects/effect_kind.h"

#include "simulator/effects/text.h"

namespace velsim {

namespace {

constexpr const char* kKindNames[kEffectKindCount] = {
    "Constant", "Ramp",    "Periodic",  "Damper", "Friction", "Inertia",
    "Spring",   "Ellipse", "Enclosure", "Grid",   "Texture",  "Compound",
};

constexpr int32_t kLastAxis = 2;
constexpr int32_t kLastWaveform = 4;

}  // namespace

const char* KindName(EffectKind kind)
{
    return kKindNames[static_cast<int>(kind)];
}

bool SimpleKindFromName(std::u16string_view name, EffectKind& kind)
{
    for (int i = 0; i < kEffectKindCount; ++i) {
        const auto candidate = static_cast<EffectKind>(i);
        if (candidate != EffectKind::Compound && name == Ascii(kKindNames[i])) {
            kind = candidate;
            return true;
        }
    }
    return false;
}

CreationValue CreationValueOf(EffectKind kind)
{
    switch (kind) {
    case EffectKind::Damper:
    case EffectKind::Friction:
    case EffectKind::Inertia:
    case EffectKind::Spring:
    case EffectKind::Grid:
    case EffectKind::Texture:
        return CreationValue::Axis;
    case EffectKind::Periodic:
        return CreationValue::Waveform;
    default:
        return CreationValue::None;
    }
}

Status CheckCreationValue(EffectKind kind, int32_t value)
{
    switch (CreationValueOf(kind)) {
    case CreationValue::Axis:
        if (value < 0 || value > kLastAxis)
            return Status::Failure(Fault::InvalidValue,
                                   u"Axis must be 0 (both), 1 (X) or 2 (Y), not " + Decimal(value));
        break;
    case CreationValue::Waveform:
        if (value < 0 || value > kLastWaveform)
            return Status::Failure(Fault::InvalidValue, u"Waveform must be between 0 and 4, not " + Decimal(value));
        break;
    case CreationValue::None:
        break;
    }
    return Status::Ok();
}

}  // namespace velsim
