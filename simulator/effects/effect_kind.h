// The kinds of effect the simulator knows, their names, and the meaning of the
// integer some kinds take at creation.
#pragma once

#include <cstdint>
#include <string_view>

#include "simulator/effects/status.h"

namespace velsim {

enum class EffectKind : uint8_t {
    Constant,
    Ramp,
    Periodic,
    Damper,
    Friction,
    Inertia,
    Spring,
    Ellipse,
    Enclosure,
    Grid,
    Texture,
    Compound,  // made only by a resource file; its members are other effects
};
inline constexpr int kEffectKindCount = 12;

// The name GetEffectTypeName reports and a resource file uses: "Constant", ...
const char* KindName(EffectKind kind);

// The kind of a resource-file name, exact and case-sensitive. Compound is not
// among them: a resource makes compounds with its own statement.
bool SimpleKindFromName(std::u16string_view name, EffectKind& kind);

// What the integer given at creation means for a kind.
enum class CreationValue {
    None,      // the kind takes no integer
    Axis,      // 0 both axes, 1 X only, 2 Y only
    Waveform,  // 0 sine, 1 square, 2 triangle, 3 sawtooth up, 4 sawtooth down
};
CreationValue CreationValueOf(EffectKind kind);

// Refuses an axis or waveform outside its range; any value passes for kinds
// that take none (the COM operations for those kinds have no integer).
Status CheckCreationValue(EffectKind kind, int32_t value);

}  // namespace velsim
