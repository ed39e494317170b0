// One playing effect's force: reads its parameters and hands them to the
// force of its kind (forces.h). Pure, as those are: the caller passes the
// time into the effect's iteration and the handle's state.
#pragma once

#include "simulator/device/forces.h"
#include "simulator/effects/effect_model.h"

namespace velsim {

// The walls of an Ellipse or Enclosure, from its parameters.
Wall WallOf(const ParameterValues& values);

// What the Ellipse or Enclosure holds inside: the effect felt there.
struct InsideEffect {
    EffectKind kind = EffectKind::Constant;
    const ParameterValues* values = nullptr;  // none when null
};

// The effect's force at intoIteration ms of its current iteration, after its
// envelope and gain; inside says on which side of a wall the handle is held.
Force EffectForce(EffectKind kind, const ParameterValues& values, int64_t intoIteration, const Motion& motion,
                  bool inside, InsideEffect insideEffect = {});

}  // namespace velsim
