// Where an effect is in time, and how its envelope shapes a level: pure
// functions of its parameters and the milliseconds since it was started.
//
// The rules (docs/simulated-plugin.md lists them too):
// - The start delay comes once, before the first iteration; iterations follow
//   each other without a gap. (Some drivers wait again before every
//   repetition; this device does not.)
// - An iteration lasts Duration ms. Duration 0 plays until stopped, whatever
//   the iteration count; iterations -1 repeat until stopped.
// - An effect plays during [delay, delay + duration * iterations): at that
//   end it is Done, and the device takes it off the playing effects.
// - The envelope shapes every iteration: its attack runs from the iteration's
//   start, its fade ends at the iteration's end. Where the two overlap the
//   attack wins. An effect that plays until stopped has no fade.
#pragma once

#include <cstdint>

#include "simulator/device/device_frame.h"

namespace velsim {

struct Timeline {
    int32_t startDelay = 0;
    int32_t duration = 0;    // ms; 0 until stopped
    int32_t iterations = 1;  // -1 until stopped
    int32_t fadeTime = 0;    // for the Fading phase only
};

struct TimelinePoint {
    EffectPhase phase = EffectPhase::Waiting;
    int64_t intoIteration = 0;  // ms since the current iteration began
};

TimelinePoint Locate(const Timeline& timeline, int64_t sinceStart);

struct Envelope {
    int32_t attackLevel = 0;  // 0 to 10000, a magnitude
    int32_t attackTime = 0;   // ms
    int32_t fadeLevel = 0;
    int32_t fadeTime = 0;
};

// The level the envelope lets through at intoIteration ms: its magnitude
// moves linearly from the attack level to |level| over the attack time, and
// from |level| to the fade level over the fade time; the sign stays level's
// (a level of 0 counts as positive).
int64_t ApplyEnvelope(int64_t level, const Envelope& envelope, int64_t intoIteration, int32_t duration);

}  // namespace velsim
