// The effects of one simulated plug-in: creation, playback, parameters and
// enumeration, with every refusal explained in a Status. Not thread-safe by
// itself: the COM object holds a lock around every call.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <deque>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "simulator/effects/effect_kind.h"
#include "simulator/effects/parameters.h"
#include "simulator/effects/playing_index.h"
#include "simulator/effects/status.h"

namespace velsim {

// Which effects an enumeration or EffectExists looks at: the integer 0 for all
// of them, 1 for those playing.
enum class Selection { All, Playing };
Status SelectionFrom(int32_t value, Selection& selection);

// StartEffect's iteration count for "repeat until stopped".
inline constexpr int32_t kUntilStopped = -1;

// Effects are kept in creation order; a position is an effect's place in it.
inline constexpr size_t kNoEffect = static_cast<size_t>(-1);

using ParameterValues = std::array<std::array<int32_t, kMaxSlots>, kParameterCount>;

struct Effect {
    std::u16string name;
    EffectKind kind = EffectKind::Constant;
    ParameterValues values{};         // the latest values: what the queries read
    size_t insideEffect = kNoEffect;  // Ellipse and Enclosure: the position of the effect felt inside
    std::vector<size_t> members;      // Compound: positions of its members, as listed
    size_t run = kNoEffect;           // while playing: its place among the runs
    bool everStarted = false;
};

// A playing effect's state in time. It plays with the values it had when it
// started, and with the changes applied at once since (apply flag non-zero);
// a change with apply flag 0 waits in Effect::values for the next start.
struct EffectRun {
    size_t position = kNoEffect;
    int64_t startedAt = 0;  // device milliseconds
    int32_t iterations = 1;
    bool sided = false;     // Ellipse, Enclosure: whether inside has been worked out yet
    bool inside = false;    // the side of the outline the handle is held on
    int32_t forceX = 0;     // its share at the device's last evaluation
    int32_t forceY = 0;
    ParameterValues active{};
};

// Every operation costs O(1) or O(log n) amortised in the number of effects n
// (hashing a name costs its length), except those that by nature visit many:
// starting, stopping or enumerating the members of a compound is linear in its
// own members, and StopAll in the effects playing.
class EffectModel {
public:
    EffectModel() = default;
    // The name index points into the effects: a copy would point into these.
    EffectModel(const EffectModel&) = delete;
    EffectModel& operator=(const EffectModel&) = delete;

    Status Create(std::u16string name, EffectKind kind, int32_t creationValue);
    Status CreateCompound(const std::u16string& name, const std::vector<std::u16string>& members);

    // Starting or stopping a compound starts or stops its members too; now is
    // the device's time, when the effect's timeline begins. Starting a playing
    // effect starts it again from the beginning with its latest values.
    Status Start(const std::u16string& name, int32_t iterations, int64_t now = 0);
    // Start after setting StartDelay and Gain (of every member, for a compound).
    Status StartWith(const std::u16string& name, int32_t iterations, int32_t startDelay, int32_t gain,
                     int64_t now = 0);
    Status Stop(const std::u16string& name);
    void StopAll();
    bool Exists(const std::u16string& name, Selection selection) const;

    // applyNow: a playing effect plays with the new values at once; otherwise
    // they wait for its next start. Queries read them at once either way.
    Status Change(const std::u16string& name, ChangeId change, const std::vector<int32_t>& values,
                  bool applyNow = false);
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

    // ---- What the device reads and does as time passes ----
    size_t Size() const { return effects_.size(); }
    // The position of the effect so named, or kNoEffect.
    size_t PositionOf(const std::u16string& name) const;
    const Effect& At(size_t position) const { return effects_[position]; }
    // One per playing effect, in no particular order: a run that ends is
    // replaced by the last one.
    std::vector<EffectRun>& Runs() { return runs_; }
    const std::vector<EffectRun>& Runs() const { return runs_; }
    // The effect stops playing by itself: its run ends (a compound's members
    // are left to end on their own).
    void Finish(size_t position);
    // Positions of the effects ever started, in the order they first started.
    const std::vector<size_t>& EverStarted() const { return everStarted_; }

    // Creations and parameter changes made while a Batch lives are kept only
    // if it is committed; otherwise its end undoes them, in time proportional
    // to what was done, not to the size of the model. A batch neither starts
    // nor stops effects (a resource file cannot), and batches do not nest.
    class Batch {
    public:
        explicit Batch(EffectModel& model);
        ~Batch();
        Batch(const Batch&) = delete;
        Batch& operator=(const Batch&) = delete;
        void Commit() { committed_ = true; }

    private:
        EffectModel& model_;
        bool committed_ = false;
    };

private:
    // One parameter's slots, or the inside effect, as they were before a change.
    struct Saved {
        size_t position;
        bool inside;  // the inside effect rather than the slots of parameter
        Parameter parameter;
        std::array<int32_t, kMaxSlots> slots;
        size_t insideEffect;
    };

    Status Lookup(const std::u16string& name, size_t& position) const;
    Status Lookup(const std::u16string& name, const Effect*& effect) const;
    Status Lookup(const std::u16string& name, Effect*& effect);
    Status CheckNewName(const std::u16string& name) const;
    void Add(Effect effect);
    bool Selected(size_t position, Selection selection) const;
    // The effect and, for a compound, its members.
    template <class Visit>
    void ForPlayable(size_t position, Visit&& visit);
    // The index-th selected member, or kNoEffect; count is how many are selected.
    size_t SelectedMember(const Effect& effect, Selection selection, size_t index, size_t& count) const;
    // Keep what a change overwrites, when a batch may have to put it back.
    void Remember(size_t position, Parameter parameter);
    void RememberInside(size_t position);
    void Rollback() noexcept;
    void BeginRun(size_t position, int64_t now, int32_t iterations);
    void EndRun(size_t position) noexcept;

    // A deque keeps every effect where it is as more are added, so the name
    // index can hold views of the names and growth never moves an effect.
    std::deque<Effect> effects_;
    std::unordered_map<std::u16string_view, size_t> positions_;
    PlayingIndex playing_;
    std::vector<EffectRun> runs_;
    std::vector<size_t> everStarted_;
    size_t batchStart_ = kNoEffect;  // the effects before it existed when the batch began
    std::vector<Saved> saved_;
};

}  // namespace velsim
