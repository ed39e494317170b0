#include "simulator/device/virtual_device.h"

#include <algorithm>
#include <cstdint>

#include "simulator/device/effect_force.h"
#include "simulator/device/timeline.h"

namespace velsim {

namespace {

bool IsShape(EffectKind kind)
{
    return kind == EffectKind::Ellipse || kind == EffectKind::Enclosure;
}

bool InsideShape(EffectKind kind, const Wall& wall, Spot spot)
{
    return kind == EffectKind::Ellipse ? InsideEllipse(wall, spot) : InsideEnclosure(wall, spot);
}

int32_t Narrow(int64_t value)
{
    return static_cast<int32_t>(std::clamp<int64_t>(value, INT32_MIN, INT32_MAX));
}

TimelinePoint Where(const EffectRun& run, int64_t now)
{
    const auto& values = run.active;
    Timeline timeline;
    timeline.startDelay = values[static_cast<int>(Parameter::StartDelay)][0];
    timeline.duration = values[static_cast<int>(Parameter::Duration)][0];
    timeline.iterations = run.iterations;
    timeline.fadeTime = values[static_cast<int>(Parameter::Envelope)][3];
    return Locate(timeline, now - run.startedAt);
}

InsideEffect InsideOf(const EffectModel& effects, const Effect& effect)
{
    if (effect.insideEffect == kNoEffect) return {};
    const Effect& inside = effects.At(effect.insideEffect);
    return {inside.kind, &inside.values};
}

}  // namespace

VirtualDevice::VirtualDevice(EffectModel& effects) : effects_(effects)
{
    handAt_ = hand_.At(now_);
    handle_.Place(handAt_);
    handle_.Stop();
}

VirtualDevice::~VirtualDevice() = default;

void VirtualDevice::CatchUp()
{
    const int64_t target = clock_.Now();
    if (target <= now_) return;
    const int64_t limit = clock_.manual() ? kManualCatchUp : kRealCatchUp;
    if (target - now_ > limit) {
        now_ = target - limit;
        handle_.Stop();
    }
    while (now_ < target) Step(now_ + 1);
}

void VirtualDevice::Step(int64_t millis)
{
    now_ = millis;
    if (hand_.MovesWithTime()) handAt_ = hand_.At(now_);
    Hold();
    handle_.Step();
    Evaluate(true);
}

void VirtualDevice::Hold()
{
    const Spot from = handle_.placement().screen;
    Spot target = handAt_.screen;
    auto& runs = effects_.Runs();
    for (EffectRun& run : runs) {
        const EffectKind kind = effects_.At(run.position).kind;
        if (!IsShape(kind)) continue;
        const Wall wall = WallOf(run.active);
        if (!run.sided) {
            run.inside = InsideShape(kind, wall, from);
            run.sided = true;
        }
        if (wall.clippingMask != 0)
            target = kind == EffectKind::Ellipse ? HoldInEllipse(wall, run.inside, from, target)
                                                 : HoldInEnclosure(wall, run.inside, from, target);
    }
    // A wall that does not hold lets the handle through: its side is where the handle is.
    for (EffectRun& run : runs) {
        const EffectKind kind = effects_.At(run.position).kind;
        if (!IsShape(kind)) continue;
        const Wall wall = WallOf(run.active);
        if (wall.clippingMask == 0) run.inside = InsideShape(kind, wall, target);
    }
    handle_.Place(target.x == handAt_.screen.x && target.y == handAt_.screen.y ? handAt_ : PlacementOfScreen(target));
}

void VirtualDevice::Evaluate(bool record)
{
    const Motion motion = handle_.MotionWith(handAt_.screen);
    int64_t sumX = 0, sumY = 0;
    ended_.clear();
    for (EffectRun& run : effects_.Runs()) {
        const Effect& effect = effects_.At(run.position);
        run.forceX = run.forceY = 0;
        if (effect.kind == EffectKind::Compound) continue;
        const TimelinePoint point = Where(run, now_);
        if (point.phase == EffectPhase::Done) {
            ended_.push_back(run.position);
            continue;
        }
        if (point.phase == EffectPhase::Waiting) continue;
        const Force force =
            EffectForce(effect.kind, run.active, point.intoIteration, motion, run.inside, InsideOf(effects_, effect));
        run.forceX = Narrow(force.x);
        run.forceY = Narrow(force.y);
        sumX += run.forceX;
        sumY += run.forceY;
    }
    for (size_t position : ended_) effects_.Finish(position);
    // A compound plays while one of its members does.
    ended_.clear();
    for (const EffectRun& run : effects_.Runs()) {
        const Effect& effect = effects_.At(run.position);
        if (effect.kind != EffectKind::Compound) continue;
        const bool playing = std::any_of(effect.members.begin(), effect.members.end(),
                                         [&](size_t member) { return effects_.At(member).run != kNoEffect; });
        if (!playing) ended_.push_back(run.position);
    }
    for (size_t position : ended_) effects_.Finish(position);
    total_ = {Saturate(sumX, kMaxForce), Saturate(sumY, kMaxForce)};
    if (!record || !recorder_) return;
    shares_.clear();
    for (const EffectRun& run : effects_.Runs())
        if (effects_.At(run.position).kind != EffectKind::Compound)
            shares_.push_back({run.position, run.forceX, run.forceY});
    const Placement& handle = handle_.placement();
    recorder_->Row({now_, handAt_.screen.x, handAt_.screen.y, handle.screen.x, handle.screen.y,
                    static_cast<int32_t>(total_.x), static_cast<int32_t>(total_.y)},
                   shares_, effects_);
}

void VirtualDevice::Refresh()
{
    Hold();
    Evaluate(false);
}

void VirtualDevice::EffectsChanged()
{
    Refresh();
}

void VirtualDevice::MoveHand(Spot screen)
{
    hand_.MoveTo(screen);
    handAt_ = hand_.At(now_);
    Refresh();
}

void VirtualDevice::FollowPath(std::vector<PathPoint> points)
{
    hand_.Follow(std::move(points), now_);
    handAt_ = hand_.At(now_);
    Refresh();
}

void VirtualDevice::UseCircleHand()
{
    hand_.UseCircle();
    handAt_ = hand_.At(now_);
    Refresh();
}

void VirtualDevice::OnXRead()
{
    hand_.OnXRead();
    handAt_ = hand_.At(now_);
    Refresh();
}

Force VirtualDevice::ShareOf(size_t position) const
{
    const size_t run = effects_.At(position).run;
    if (run == kNoEffect) return {};
    return {effects_.Runs()[run].forceX, effects_.Runs()[run].forceY};
}

Force VirtualDevice::ForceAt(Spot spot) const
{
    Motion motion;
    motion.handX = motion.x = spot.x;
    motion.handY = motion.y = spot.y;
    int64_t sumX = 0, sumY = 0;
    for (const EffectRun& run : effects_.Runs()) {
        const Effect& effect = effects_.At(run.position);
        if (effect.kind == EffectKind::Compound) continue;
        const TimelinePoint point = Where(run, now_);
        if (point.phase == EffectPhase::Done || point.phase == EffectPhase::Waiting) continue;
        const bool inside = IsShape(effect.kind) && InsideShape(effect.kind, WallOf(run.active), spot);
        const Force force =
            EffectForce(effect.kind, run.active, point.intoIteration, motion, inside, InsideOf(effects_, effect));
        sumX += Narrow(force.x);
        sumY += Narrow(force.y);
    }
    return {Saturate(sumX, kMaxForce), Saturate(sumY, kMaxForce)};
}

FileCreate VirtualDevice::StartRecording(const std::filesystem::path& path, int& error)
{
    auto recorder = std::make_unique<Recorder>();
    const FileCreate result = recorder->Open(path, error);
    if (result != FileCreate::Done) return result;
    const std::unique_ptr<Recorder> previous = Record(std::move(recorder));
    if (previous) previous->Close();
    return result;
}

bool VirtualDevice::StopRecording()
{
    const std::unique_ptr<Recorder> stopped = Record(nullptr);
    return !stopped || stopped->Close();
}

std::unique_ptr<Recorder> VirtualDevice::Record(std::unique_ptr<Recorder> recorder)
{
    std::swap(recorder, recorder_);
    return recorder;
}

}  // namespace velsim
