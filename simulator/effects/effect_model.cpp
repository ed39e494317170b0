// Creation and enumeration of effects. Playback is in effect_model_playback.cpp,
// parameters in effect_model_parameters.cpp.
#include "simulator/effects/effect_model.h"

#include <unordered_set>

#include "simulator/effects/text.h"

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

Status IndexOutOfRange(int32_t index, size_t count, const std::u16string& whose)
{
    return Status::Failure(Fault::InvalidValue, u"Index " + Decimal(index) + u" is out of range: " + whose +
                                                    u" " + Decimal(static_cast<int64_t>(count)));
}

// What every new effect starts with, worked out once.
const ParameterValues& Defaults()
{
    static const ParameterValues defaults = [] {
        ParameterValues values{};
        for (int p = 0; p < kParameterCount; ++p)
            for (int slot = 0; slot < kMaxSlots; ++slot)
                values[p][slot] = DefaultValue(static_cast<Parameter>(p), slot);
        return values;
    }();
    return defaults;
}

}  // namespace

Status EffectModel::Lookup(const std::u16string& name, size_t& position) const
{
    const auto found = positions_.find(name);
    if (found == positions_.end()) return Status::Failure(Fault::UnknownEffect, u"No effect named " + Quoted(name));
    position = found->second;
    return Status::Ok();
}

size_t EffectModel::PositionOf(const std::u16string& name) const
{
    const auto found = positions_.find(name);
    return found == positions_.end() ? kNoEffect : found->second;
}

Status EffectModel::Lookup(const std::u16string& name, const Effect*& effect) const
{
    size_t position = 0;
    Status status = Lookup(name, position);
    if (status.ok()) effect = &effects_[position];
    return status;
}

Status EffectModel::Lookup(const std::u16string& name, Effect*& effect)
{
    size_t position = 0;
    Status status = Lookup(name, position);
    if (status.ok()) effect = &effects_[position];
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
    // All three or none, so that a failed allocation leaves the model as it was.
    playing_.PushBack();
    try {
        effects_.push_back(std::move(effect));
    } catch (...) {
        playing_.PopBack();
        throw;
    }
    try {
        positions_.emplace(effects_.back().name, effects_.size() - 1);
    } catch (...) {
        effects_.pop_back();
        playing_.PopBack();
        throw;
    }
}

bool EffectModel::Selected(size_t position, Selection selection) const
{
    return selection == Selection::All || playing_.Playing(position);
}

Status EffectModel::Create(std::u16string name, EffectKind kind, int32_t creationValue)
{
    if (kind == EffectKind::Compound)
        return Status::Failure(Fault::InvalidValue, u"Compound effects are made from a list of members");
    Status status = CheckNewName(name);
    if (!status.ok()) return status;
    status = CheckCreationValue(kind, creationValue);
    if (!status.ok()) return status;

    Effect effect;
    effect.name = std::move(name);
    effect.kind = kind;
    effect.values = Defaults();
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
    compound.members.reserve(members.size());
    std::unordered_set<size_t> listed;
    for (const std::u16string& memberName : members) {
        size_t position = 0;
        status = Lookup(memberName, position);
        if (!status.ok()) return status;
        if (effects_[position].kind == EffectKind::Compound)
            return Status::Failure(Fault::InvalidValue,
                                   u"Compound " + Quoted(memberName) + u" cannot be a member of another compound");
        if (!listed.insert(position).second)
            return Status::Failure(Fault::InvalidValue, Quoted(memberName) + u" is listed twice in compound " +
                                                            Quoted(name));
        compound.members.push_back(position);
    }
    Add(std::move(compound));
    return Status::Ok();
}

bool EffectModel::Exists(const std::u16string& name, Selection selection) const
{
    const auto found = positions_.find(name);
    return found != positions_.end() && Selected(found->second, selection);
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
    return static_cast<int32_t>(selection == Selection::All ? effects_.size() : playing_.Count());
}

Status EffectModel::NameAt(Selection selection, int32_t index, std::u16string& name) const
{
    const size_t count = selection == Selection::All ? effects_.size() : playing_.Count();
    if (index < 0 || static_cast<size_t>(index) >= count)
        return IndexOutOfRange(index, count, u"the effects counted are");
    name = effects_[selection == Selection::All ? static_cast<size_t>(index) : playing_.Find(index)].name;
    return Status::Ok();
}

size_t EffectModel::SelectedMember(const Effect& effect, Selection selection, size_t index, size_t& count) const
{
    const size_t listed = effect.members.size() + (effect.insideEffect != kNoEffect ? 1 : 0);
    const auto member = [&](size_t i) { return i < effect.members.size() ? effect.members[i] : effect.insideEffect; };
    if (selection == Selection::All) {
        count = listed;
        return index < listed ? member(index) : kNoEffect;
    }
    size_t found = kNoEffect;
    count = 0;
    for (size_t i = 0; i < listed; ++i) {
        if (!playing_.Playing(member(i))) continue;
        if (count++ == index) found = member(i);
    }
    return found;
}

Status EffectModel::MemberCount(const std::u16string& name, Selection selection, int32_t& count) const
{
    const Effect* effect = nullptr;
    Status status = Lookup(name, effect);
    if (!status.ok()) return status;
    size_t selected = 0;
    SelectedMember(*effect, selection, kNoEffect, selected);
    count = static_cast<int32_t>(selected);
    return status;
}

Status EffectModel::MemberAt(const std::u16string& name, Selection selection, int32_t index,
                             std::u16string& member) const
{
    const Effect* effect = nullptr;
    Status status = Lookup(name, effect);
    if (!status.ok()) return status;
    size_t count = 0;
    const size_t found = SelectedMember(*effect, selection, index < 0 ? kNoEffect : static_cast<size_t>(index), count);
    if (index < 0 || found == kNoEffect)
        return IndexOutOfRange(index, count, u"the members counted in " + Quoted(name) + u" are");
    member = effects_[found].name;
    return Status::Ok();
}

}  // namespace velsim
