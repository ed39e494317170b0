// Creation, playback and enumeration of effects. Parameters are in
// effect_model_parameters.cpp.
#include "simulator/effect_model.h"

#include "simulator/text.h"

namespace velsim {

Status SelectionFrom(int32_t value, Selection& selection)
{
    if (value != 0 && value != 1)
        return Status::Failure(Fault::InvalidValue,
                               u"Selection must be 0 (all effects) or 1 (playing effects), not " + Decimal(value));
    selection = value == 0 ? Selection::All : Selection::Playing;
    return Status::Ok();
}

namespace {

bool Selected(const Effect& effect, Selection selection)
{
    return selection == Selection::All || effect.playing;
}

Status CheckIterations(int32_t iterations)
{
    if (iterations >= 1 || iterations == kUntilStopped) return Status::Ok();
    return Status::Failure(Fault::InvalidValue,
                           u"Iterations must be at least 1, or -1 for until stopped, not " + Decimal(iterations));
}

Status IndexOutOfRange(int32_t index, size_t count, const std::u16string& whose)
{
    return Status::Failure(Fault::InvalidValue, u"Index " + Decimal(index) + u" is out of range: " + whose +
                                                    u" " + Decimal(static_cast<int64_t>(count)));
}

}  // namespace

Status EffectModel::Lookup(const std::u16string& name, const Effect*& effect) const
{
    const auto found = positions_.find(name);
    if (found == positions_.end()) return Status::Failure(Fault::UnknownEffect, u"No effect named " + Quoted(name));
    effect = &effects_[found->second];
    return Status::Ok();
}

Status EffectModel::Lookup(const std::u16string& name, Effect*& effect)
{
    const Effect* found = nullptr;
    Status status = static_cast<const EffectModel*>(this)->Lookup(name, found);
    effect = const_cast<Effect*>(found);
    return status;
}

Status EffectModel::CheckNewName(const std::u16string& name) const
{
    if (name.empty()) return Status::Failure(Fault::InvalidValue, u"Effect names must not be empty");
    if (positions_.count(name) != 0)
        return Status::Failure(Fault::DuplicateName, u"An effect named " + Quoted(name) + u" already exists");
    return Status::Ok();
}

void EffectModel::Add(Effect effect)
{
    // Reserve first so that a failed allocation leaves both containers as
    // they were.
    effects_.reserve(effects_.size() + 1);
    positions_.emplace(effect.name, effects_.size());
    effects_.push_back(std::move(effect));
}

Status EffectModel::Create(const std::u16string& name, EffectKind kind, int32_t creationValue)
{
    if (kind == EffectKind::Compound)
        return Status::Failure(Fault::InvalidValue, u"Compound effects are made from a list of members");
    Status status = CheckNewName(name);
    if (!status.ok()) return status;
    status = CheckCreationValue(kind, creationValue);
    if (!status.ok()) return status;

    Effect effect;
    effect.name = name;
    effect.kind = kind;
    for (int p = 0; p < kParameterCount; ++p)
        for (int slot = 0; slot < kMaxSlots; ++slot)
            effect.values[p][slot] = DefaultValue(static_cast<Parameter>(p), slot);
    const CreationValue meaning = CreationValueOf(kind);
    if (meaning == CreationValue::Axis) effect.values[static_cast<int>(Parameter::Axis)][0] = creationValue;
    if (meaning == CreationValue::Waveform) effect.values[static_cast<int>(Parameter::Waveform)][0] = creationValue;
    Add(std::move(effect));
    return Status::Ok();
}

Status EffectModel::CreateCompound(const std::u16string& name, const std::vector<std::u16string>& members)
{
    Status status = CheckNewName(name);
    if (!status.ok()) return status;
    if (members.empty())
        return Status::Failure(Fault::InvalidValue, u"Compound effect " + Quoted(name) + u" needs a member");
    Effect compound;
    compound.name = name;
    compound.kind = EffectKind::Compound;
    for (const std::u16string& memberName : members) {
        const Effect* member = nullptr;
        status = Lookup(memberName, member);
        if (!status.ok()) return status;
        if (member->kind == EffectKind::Compound)
            return Status::Failure(Fault::InvalidValue,
                                   u"Compound " + Quoted(memberName) + u" cannot be a member of another compound");
        const size_t position = positions_.at(memberName);
        for (size_t listed : compound.members)
            if (listed == position)
                return Status::Failure(Fault::InvalidValue, Quoted(memberName) + u" is listed twice in compound " +
                                                                Quoted(name));
        compound.members.push_back(position);
    }
    Add(std::move(compound));
    return Status::Ok();
}

std::vector<Effect*> EffectModel::Playable(Effect& effect)
{
    std::vector<Effect*> playable{&effect};
    for (size_t position : effect.members) playable.push_back(&effects_[position]);
    return playable;
}

Status EffectModel::Start(const std::u16string& name, int32_t iterations)
{
    Effect* effect = nullptr;
    Status status = Lookup(name, effect);
    if (!status.ok()) return status;
    status = CheckIterations(iterations);
    if (!status.ok()) return status;
    for (Effect* playing : Playable(*effect)) playing->playing = true;
    return Status::Ok();
}

Status EffectModel::StartWith(const std::u16string& name, int32_t iterations, int32_t startDelay, int32_t gain)
{
    Effect* effect = nullptr;
    Status status = Lookup(name, effect);
    if (!status.ok()) return status;
    status = CheckIterations(iterations);
    if (!status.ok()) return status;
    // Every simple kind has StartDelay and Gain, so once the values pass, the
    // changes below cannot fail half-way through a compound.
    status = CheckValue(Describe(ChangeId::StartDelay), 0, startDelay);
    if (!status.ok()) return status;
    status = CheckValue(Describe(ChangeId::Gain), 0, gain);
    if (!status.ok()) return status;
    for (Effect* playing : Playable(*effect)) {
        if (playing->kind != EffectKind::Compound) {
            playing->values[static_cast<int>(Parameter::StartDelay)][0] = startDelay;
            playing->values[static_cast<int>(Parameter::Gain)][0] = gain;
        }
        playing->playing = true;
    }
    return Status::Ok();
}

Status EffectModel::Stop(const std::u16string& name)
{
    Effect* effect = nullptr;
    Status status = Lookup(name, effect);
    if (!status.ok()) return status;
    for (Effect* stopped : Playable(*effect)) stopped->playing = false;
    return Status::Ok();
}

void EffectModel::StopAll()
{
    for (Effect& effect : effects_) effect.playing = false;
}

bool EffectModel::Exists(const std::u16string& name, Selection selection) const
{
    const auto found = positions_.find(name);
    return found != positions_.end() && Selected(effects_[found->second], selection);
}

Status EffectModel::TypeName(const std::u16string& name, std::u16string& typeName) const
{
    const Effect* effect = nullptr;
    Status status = Lookup(name, effect);
    if (status.ok()) typeName = Ascii(KindName(effect->kind));
    return status;
}

int32_t EffectModel::Count(Selection selection) const
{
    int32_t count = 0;
    for (const Effect& effect : effects_)
        if (Selected(effect, selection)) ++count;
    return count;
}

Status EffectModel::NameAt(Selection selection, int32_t index, std::u16string& name) const
{
    std::vector<const Effect*> selected;
    for (const Effect& effect : effects_)
        if (Selected(effect, selection)) selected.push_back(&effect);
    if (index < 0 || static_cast<size_t>(index) >= selected.size())
        return IndexOutOfRange(index, selected.size(), u"the effects counted are");
    name = selected[index]->name;
    return Status::Ok();
}

std::vector<const Effect*> EffectModel::Members(const Effect& effect, Selection selection) const
{
    std::vector<const Effect*> members;
    for (size_t position : effect.members)
        if (Selected(effects_[position], selection)) members.push_back(&effects_[position]);
    if (!effect.insideEffect.empty()) {
        const Effect& inside = effects_[positions_.at(effect.insideEffect)];
        if (Selected(inside, selection)) members.push_back(&inside);
    }
    return members;
}

Status EffectModel::MemberCount(const std::u16string& name, Selection selection, int32_t& count) const
{
    const Effect* effect = nullptr;
    Status status = Lookup(name, effect);
    if (status.ok()) count = static_cast<int32_t>(Members(*effect, selection).size());
    return status;
}

Status EffectModel::MemberAt(const std::u16string& name, Selection selection, int32_t index,
                             std::u16string& member) const
{
    const Effect* effect = nullptr;
    Status status = Lookup(name, effect);
    if (!status.ok()) return status;
    const std::vector<const Effect*> members = Members(*effect, selection);
    if (index < 0 || static_cast<size_t>(index) >= members.size())
        return IndexOutOfRange(index, members.size(), u"the members counted in " + Quoted(name) + u" are");
    member = members[index]->name;
    return Status::Ok();
}

}  // namespace velsim
