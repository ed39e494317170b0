#include "simulator/device/timeline.h"

namespace velsim {

TimelinePoint Locate(const Timeline& timeline, int64_t sinceStart)
{
    TimelinePoint point;
    if (sinceStart < timeline.startDelay) return point;  // Waiting
    const int64_t playing = sinceStart - timeline.startDelay;
    if (timeline.duration <= 0) {
        point.phase = EffectPhase::Playing;
        point.intoIteration = playing;
        return point;
    }
    if (timeline.iterations > 0 && playing >= int64_t{timeline.duration} * timeline.iterations) {
        point.phase = EffectPhase::Done;
        return point;
    }
    point.intoIteration = playing % timeline.duration;
    const bool fading = timeline.fadeTime > 0 && point.intoIteration >= int64_t{timeline.duration} - timeline.fadeTime;
    point.phase = fading ? EffectPhase::Fading : EffectPhase::Playing;
    return point;
}

int64_t ApplyEnvelope(int64_t level, const Envelope& envelope, int64_t intoIteration, int32_t duration)
{
    const int64_t magnitude = level < 0 ? -level : level;
    int64_t shaped = magnitude;
    if (envelope.attackTime > 0 && intoIteration < envelope.attackTime) {
        shaped = envelope.attackLevel + (magnitude - envelope.attackLevel) * intoIteration / envelope.attackTime;
    } else if (duration > 0 && envelope.fadeTime > 0 && intoIteration >= int64_t{duration} - envelope.fadeTime) {
        const int64_t left = int64_t{duration} - intoIteration;  // 1 .. fadeTime
        shaped = envelope.fadeLevel + (magnitude - envelope.fadeLevel) * left / envelope.fadeTime;
    }
    return level < 0 ? -shaped : shaped;
}

}  // namespace velsim
