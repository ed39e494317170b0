// Batches of the effect model: what a resource file does is kept whole or
// undone whole, without copying the model.
#include "simulator/effects/effect_model.h"

namespace velsim {

EffectModel::Batch::Batch(EffectModel& model) : model_(model)
{
    model_.batchStart_ = model_.effects_.size();
    model_.saved_.clear();
}

EffectModel::Batch::~Batch()
{
    if (!committed_) model_.Rollback();
    model_.batchStart_ = kNoEffect;
    std::vector<Saved>().swap(model_.saved_);
}

// Effects made in the batch go as a whole; older ones get their values back.
void EffectModel::Remember(size_t position, Parameter parameter)
{
    if (batchStart_ == kNoEffect || position >= batchStart_) return;
    const auto& slots = effects_[position].values[static_cast<int>(parameter)];
    saved_.push_back({position, false, parameter, slots, kNoEffect});
}

void EffectModel::RememberInside(size_t position)
{
    if (batchStart_ == kNoEffect || position >= batchStart_) return;
    saved_.push_back({position, true, Parameter{}, {}, effects_[position].insideEffect});
}

void EffectModel::Rollback() noexcept
{
    // Latest first, so an effect changed twice ends with its first saved state.
    for (auto saved = saved_.rbegin(); saved != saved_.rend(); ++saved) {
        Effect& effect = effects_[saved->position];
        if (saved->inside)
            effect.insideEffect = saved->insideEffect;
        else
            effect.values[static_cast<int>(saved->parameter)] = saved->slots;
    }
    while (effects_.size() > batchStart_) {
        positions_.erase(effects_.back().name);
        EndRun(effects_.size() - 1);
        playing_.PopBack();
        effects_.pop_back();
    }
}

}  // namespace velsim
