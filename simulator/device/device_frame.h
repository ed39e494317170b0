// One picture of the simulated device at a moment of its time: what the live
// view draws and what a recording row holds. Plain values, copied out under
// the simulator's lock, so a reader never holds it while it formats them.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "simulator/effects/effect_kind.h"

namespace velsim {

// Where an effect is in its timeline.
enum class EffectPhase : uint8_t {
    Waiting,  // started, inside its start delay
    Playing,
    Fading,   // inside the envelope's fade time
    Done,     // ran to its end, or was stopped
};

struct EffectFrame {
    std::u16string name;
    EffectKind kind = EffectKind::Constant;
    EffectPhase phase = EffectPhase::Done;
    int32_t forceX = 0;  // this effect's share, device units
    int32_t forceY = 0;
    // The outline to draw, in screen pixels, by kind:
    //   Ellipse, Enclosure: rectangle left, top, width, height, and the wall
    //     thickness inside and outside in shape[4], shape[5];
    //   Spring, Damper, Friction, Inertia: centre x, y and dead band x, y;
    //   Grid: origin x, y and spacing x, y;
    //   others: unused (zero).
    int32_t shape[6] = {};
};

struct DeviceFrame {
    int64_t millis = 0;  // device time
    int32_t handX = 0, handY = 0;      // screen pixels: where the hand is
    int32_t handleX = 0, handleY = 0;  // screen pixels: what the device reports
    int32_t forceX = 0, forceY = 0;    // the total, device units
    int32_t screenWidth = 0, screenHeight = 0;
    // Every effect that has been started since the plug-in was made, in
    // creation order, with its phase; those never started are left out.
    std::vector<EffectFrame> effects;
};

}  // namespace velsim
