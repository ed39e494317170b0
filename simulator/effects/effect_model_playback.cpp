// Playback: starting and stopping effects, and the runs of the effects
// playing, which the device steps through time.
#include <algorithm>

#include "simulator/effects/effect_model.h"
#include "simulator/effects/text.h"

namespace velsim {

namespace {

Status CheckIterations(int32_t iterations)
{
    if (iterations >= 1 || iterations == kUntilStopped) return Status::Ok();
    return Status::Failure(Fault::InvalidValue,
                           u"Iterations must be at least 1, or -1 for until stopped, not " + Decimal(iterations));
}

// Room for extra more elements, growing geometrically so that starting
// effects one by one stays amortised O(1).
template <class T>
void ReserveFor(std::vector<T>& vector, size_t extra)
{
    if (vector.size() + extra > vector.capacity()) vector.reserve(std::max(2 * vector.capacity(), vector.size() + extra));
}

}  // namespace

template <class Visit>
void EffectModel::ForPlayable(size_t position, Visit&& visit)
{
    visit(position);
    for (size_t member : effects_[position].members) visit(member);
}

void EffectModel::BeginRun(size_t position, int64_t now, int32_t iterations)
{
    Effect& effect = effects_[position];
    if (!effect.everStarted) {
        everStarted_.push_back(position);
        effect.everStarted = true;
    }
    if (effect.run == kNoEffect) {
        runs_.emplace_back();
        effect.run = runs_.size() - 1;
    }
    EffectRun& run = runs_[effect.run];
    run = EffectRun{};
    run.position = position;
    run.startedAt = now;
    run.iterations = iterations;
    run.active = effect.values;
    playing_.Set(position, true);
}

void EffectModel::EndRun(size_t position) noexcept
{
    Effect& effect = effects_[position];
    playing_.Set(position, false);
    if (effect.run == kNoEffect) return;
    // The last run takes the place of the one that ends.
    const size_t place = effect.run;
    if (place != runs_.size() - 1) {
        runs_[place] = std::move(runs_.back());
        effects_[runs_[place].position].run = place;
    }
    runs_.pop_back();
    effect.run = kNoEffect;
}

void EffectModel::Finish(size_t position)
{
    EndRun(position);
}

Status EffectModel::Start(const std::u16string& name, int32_t iterations, int64_t now)
{
    size_t position = 0;
    Status status = Lookup(name, position);
    if (!status.ok()) return status;
    status = CheckIterations(iterations);
    if (!status.ok()) return status;
    // Room first, so that a compound starts whole or not at all.
    ReserveFor(runs_, 1 + effects_[position].members.size());
    ReserveFor(everStarted_, 1 + effects_[position].members.size());
    ForPlayable(position, [&](size_t playing) { BeginRun(playing, now, iterations); });
    return Status::Ok();
}

Status EffectModel::StartWith(const std::u16string& name, int32_t iterations, int32_t startDelay, int32_t gain,
                              int64_t now)
{
    size_t position = 0;
    Status status = Lookup(name, position);
    if (!status.ok()) return status;
    status = CheckIterations(iterations);
    if (!status.ok()) return status;
    // Every simple kind has StartDelay and Gain, so once the values pass, the
    // changes below cannot fail half-way through a compound.
    status = CheckValue(Describe(ChangeId::StartDelay), 0, startDelay);
    if (!status.ok()) return status;
    status = CheckValue(Describe(ChangeId::Gain), 0, gain);
    if (!status.ok()) return status;
    // Room first, so that a compound starts whole or not at all.
    ReserveFor(runs_, 1 + effects_[position].members.size());
    ReserveFor(everStarted_, 1 + effects_[position].members.size());
    ForPlayable(position, [&](size_t playing) {
        Effect& effect = effects_[playing];
        if (effect.kind != EffectKind::Compound) {
            effect.values[static_cast<int>(Parameter::StartDelay)][0] = startDelay;
            effect.values[static_cast<int>(Parameter::Gain)][0] = gain;
        }
        BeginRun(playing, now, iterations);
    });
    return Status::Ok();
}

Status EffectModel::Stop(const std::u16string& name)
{
    size_t position = 0;
    Status status = Lookup(name, position);
    if (!status.ok()) return status;
    ForPlayable(position, [&](size_t stopped) { EndRun(stopped); });
    return Status::Ok();
}

void EffectModel::StopAll()
{
    // Visits only the effects playing, each start paying for its stop.
    while (!runs_.empty()) EndRun(runs_.back().position);
    while (playing_.Count() > 0) playing_.Set(playing_.Find(0), false);
}

}  // namespace velsim
