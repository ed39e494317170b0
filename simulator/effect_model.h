// The effects of one simulated plug-in: creation, playback, parameters and
// enumeration, with every refusal explained in a Status. Not thread-safe by
// itself: the COM object holds a lock around every call.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <unordered_map>
#include <vector>

#include "simulator/effect_kind.h"
#include "simulator/parameters.h"
#include "simulator/status.h"

namespace velsim {

// Which effects an enumeration or EffectExists looks at: the integer 0 for all
// of them, 1 for those playing.
enum class Selection { All, Playing };
Status SelectionFrom(int32_t value, Selection& selection);

// StartEffect's iteration count for "repeat until stopped".
inline constexpr int32_t kUntilStopped = -1;

struct Effect {
    std::u16string name;
    EffectKind kind = EffectKind::Constant;
    bool playing = false;
    std::array<std::array<int32_t, kMaxSlots>, kParameterCount> values{};
    std::u16string insideEffect;  // Ellipse and Enclosure: felt inside the shape; empty for none
    std::vector<size_t> members;  // Compound: positions of its members in creation order
};

class EffectModel {
public:
    Status Create(const std::u16string& name, EffectKind kind, int32_t creationValue);
    Status CreateCompound(const std::u16string& name, const std::vector<std::u16string>& members);

    // Starting or stopping a compound starts or stops its members too.
    Status Start(const std::u16string& name, int32_t iterations);
    // Start after setting StartDelay and Gain (of every member, for a compound).
    Status StartWith(const std::u16string& name, int32_t iterations, int32_t startDelay, int32_t gain);
    Status Stop(const std::u16string& name);
    void StopAll();
    bool Exists(const std::u16string& name, Selection selection) const;

    Status Change(const std::u16string& name, ChangeId change, const std::vector<int32_t>& values);
    // An empty inside name removes the inside effect.
    Status ChangeInsideEffect(const std::u16string& name, const std::u16string& insideName);
    Status Read(const std::u16string& name, QueryId query, int32_t& value) const;

    Status TypeName(const std::u16string& name, std::u16string& typeName) const;
    Status SupportsGet(const std::u16string& name, const std::u16string& parameterName, bool& supported) const;
    Status SupportsChange(const std::u16string& name, const std::u16string& parameterName, bool& supported) const;

    // Effects in creation order; members in the order they were listed (the
    // inside effect is the one member of an Ellipse or Enclosure that has one).
    int32_t Count(Selection selection) const;
    Status NameAt(Selection selection, int32_t index, std::u16string& name) const;
    Status MemberCount(const std::u16string& name, Selection selection, int32_t& count) const;
    Status MemberAt(const std::u16string& name, Selection selection, int32_t index, std::u16string& member) const;

private:
    Status Lookup(const std::u16string& name, const Effect*& effect) const;
    Status Lookup(const std::u16string& name, Effect*& effect);
    Status CheckNewName(const std::u16string& name) const;
    void Add(Effect effect);
    std::vector<const Effect*> Members(const Effect& effect, Selection selection) const;
    std::vector<Effect*> Playable(Effect& effect);

    std::vector<Effect> effects_;
    std::unordered_map<std::u16string, size_t> positions_;
};

}  // namespace velsim
