// Changing, reading and asking about the parameters of effects.
#include <cmath>

#include "simulator/effects/effect_model.h"
#include "simulator/effects/text.h"

namespace velsim {

namespace {

constexpr double kPi = 3.14159265358979323846;
constexpr double kUnitVector = 10000.0;  // the length of a direction set by angle

Status Lacks(const Effect& effect, const char* parameterName)
{
    return Status::Failure(Fault::NotSupported, Ascii(KindName(effect.kind)) + u" effect " + Quoted(effect.name) +
                                                    u" has no parameter " + Ascii(parameterName));
}

// Angles are compass bearings on the screen, whose Y axis points down: 0 is up,
// 9000 right, 18000 down, 27000 left, in hundredths of a degree.
int32_t BearingOf(int32_t x, int32_t y)
{
    const double degrees = std::atan2(static_cast<double>(x), -static_cast<double>(y)) * 180.0 / kPi;
    auto hundredths = static_cast<int32_t>(std::lround(degrees * 100.0));
    if (hundredths < 0) hundredths += 36000;
    return hundredths == 36000 ? 0 : hundredths;
}

void VectorOf(int32_t bearing, int32_t& x, int32_t& y)
{
    const double radians = bearing / 100.0 * kPi / 180.0;
    x = static_cast<int32_t>(std::lround(kUnitVector * std::sin(radians)));
    y = static_cast<int32_t>(std::lround(-kUnitVector * std::cos(radians)));
}

int32_t& Slot(Effect& effect, Parameter parameter, int slot)
{
    return effect.values[static_cast<int>(parameter)][slot];
}

}  // namespace

Status EffectModel::Change(const std::u16string& name, ChangeId change, const std::vector<int32_t>& values,
                          bool applyNow)
{
    size_t position = 0;
    Status status = Lookup(name, position);
    if (!status.ok()) return status;
    Effect* effect = &effects_[position];
    const ChangeInfo& info = Describe(change);
    for (int i = 0; i < info.parameterCount; ++i)
        if (!KindHasParameter(effect->kind, info.parameters[i])) return Lacks(*effect, info.name);
    if (change == ChangeId::InsideEffect)
        return Status::Failure(Fault::InvalidValue, u"InsideEffect takes the name of an effect");
    if (values.size() != static_cast<size_t>(info.valueCount))
        return Status::Failure(Fault::InvalidValue, Ascii(info.name) + u" takes " + Decimal(info.valueCount) +
                                                        u" values, not " + Decimal(static_cast<int64_t>(values.size())));
    for (int i = 0; i < info.valueCount; ++i) {
        status = CheckValue(info, i, values[i]);
        if (!status.ok()) return status;
    }
    if (change == ChangeId::Direction && values[0] == 0 && values[1] == 0)
        return Status::Failure(Fault::InvalidValue, u"Direction must not be the zero vector");

    for (int p = 0; p < info.parameterCount; ++p) Remember(position, info.parameters[p]);
    for (int p = 0; p < info.parameterCount; ++p)
        for (int i = 0; i < info.valueCount; ++i) Slot(*effect, info.parameters[p], info.firstSlot + i) = values[i];
    // The two forms of a direction describe one vector: keep them in step.
    if (change == ChangeId::Direction) Slot(*effect, Parameter::Direction, 2) = BearingOf(values[0], values[1]);
    if (change == ChangeId::DirectionPolar)
        VectorOf(values[0], Slot(*effect, Parameter::Direction, 0), Slot(*effect, Parameter::Direction, 1));
    if (applyNow && effect->run != kNoEffect)
        for (int p = 0; p < info.parameterCount; ++p) {
            const int parameter = static_cast<int>(info.parameters[p]);
            runs_[effect->run].active[parameter] = effect->values[parameter];
        }
    return Status::Ok();
}

Status EffectModel::ChangeInsideEffect(const std::u16string& name, const std::u16string& insideName)
{
    size_t position = 0;
    Status status = Lookup(name, position);
    if (!status.ok()) return status;
    if (!KindHasParameter(effects_[position].kind, Parameter::InsideEffect))
        return Lacks(effects_[position], "InsideEffect");
    size_t inside = kNoEffect;
    if (!insideName.empty()) {
        status = Lookup(insideName, inside);
        if (!status.ok()) return status;
        // Only a force can be felt inside a shape; refusing shapes and
        // compounds also rules out cycles of effects inside each other.
        const EffectKind kind = effects_[inside].kind;
        if (kind == EffectKind::Compound || KindHasParameter(kind, Parameter::InsideEffect))
            return Status::Failure(Fault::InvalidValue, Ascii(KindName(kind)) + u" effect " + Quoted(insideName) +
                                                            u" cannot be an inside effect");
    }
    RememberInside(position);
    effects_[position].insideEffect = inside;
    return Status::Ok();
}

Status EffectModel::Read(const std::u16string& name, QueryId query, int32_t& value) const
{
    const Effect* effect = nullptr;
    Status status = Lookup(name, effect);
    if (!status.ok()) return status;
    const QueryInfo& info = Describe(query);
    if (!KindHasParameter(effect->kind, info.parameter)) return Lacks(*effect, info.name);
    value = effect->values[static_cast<int>(info.parameter)][info.slot];
    return Status::Ok();
}

namespace {

Status UnknownParameterName(const std::u16string& parameterName)
{
    return Status::Failure(Fault::InvalidValue, u"No parameter named " + Quoted(parameterName));
}

}  // namespace

Status EffectModel::SupportsGet(const std::u16string& name, const std::u16string& parameterName,
                                bool& supported) const
{
    const Effect* effect = nullptr;
    Status status = Lookup(name, effect);
    if (!status.ok()) return status;
    Parameter parameter{};
    if (const QueryInfo* query = FindQuery(parameterName)) {
        supported = KindHasParameter(effect->kind, query->parameter);
    } else if (FindParameter(parameterName, parameter)) {
        supported = IsReadable(parameter) && KindHasParameter(effect->kind, parameter);
    } else if (FindChange(parameterName) != nullptr) {
        supported = false;  // a change with no query of that name, such as Coefficient
    } else {
        return UnknownParameterName(parameterName);
    }
    return Status::Ok();
}

Status EffectModel::SupportsChange(const std::u16string& name, const std::u16string& parameterName,
                                   bool& supported) const
{
    const Effect* effect = nullptr;
    Status status = Lookup(name, effect);
    if (!status.ok()) return status;
    Parameter parameter{};
    if (const ChangeInfo* change = FindChange(parameterName)) {
        supported = true;
        for (int i = 0; i < change->parameterCount; ++i)
            supported = supported && KindHasParameter(effect->kind, change->parameters[i]);
    } else if (FindQuery(parameterName) != nullptr || FindParameter(parameterName, parameter)) {
        supported = false;  // read-only, such as Axis, or a query's name, such as CenterX
    } else {
        return UnknownParameterName(parameterName);
    }
    return Status::Ok();
}

}  // namespace velsim
