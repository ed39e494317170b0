// The picture of the device that the live view and other readers copy out.
#include <algorithm>

#include "simulator/device/effect_force.h"
#include "simulator/device/timeline.h"
#include "simulator/device/virtual_device.h"

namespace velsim {

namespace {

void FillShape(const Effect& effect, EffectFrame& frame)
{
    const auto value = [&](Parameter parameter, int slot) { return effect.values[static_cast<int>(parameter)][slot]; };
    using K = EffectKind;
    using P = Parameter;
    switch (effect.kind) {
    case K::Ellipse: case K::Enclosure:
        for (int i = 0; i < 4; ++i) frame.shape[i] = value(P::Rectangle, i);
        frame.shape[4] = value(P::Thickness, 0);
        frame.shape[5] = value(P::Thickness, 1);
        break;
    case K::Spring: case K::Damper: case K::Friction: case K::Inertia:
        frame.shape[0] = value(P::Center, 0);
        frame.shape[1] = value(P::Center, 1);
        frame.shape[2] = value(P::DeadBandX, 0);
        frame.shape[3] = value(P::DeadBandY, 0);
        break;
    case K::Grid:
        frame.shape[0] = value(P::Center, 0);
        frame.shape[1] = value(P::Center, 1);
        frame.shape[2] = value(P::Spacing, 0);
        frame.shape[3] = value(P::Spacing, 1);
        break;
    default:
        break;
    }
}

}  // namespace

void VirtualDevice::Fill(DeviceFrame& frame) const
{
    frame.millis = now_;
    frame.handX = handAt_.screen.x;
    frame.handY = handAt_.screen.y;
    frame.handleX = handle_.placement().screen.x;
    frame.handleY = handle_.placement().screen.y;
    frame.forceX = static_cast<int32_t>(total_.x);
    frame.forceY = static_cast<int32_t>(total_.y);
    frame.screenWidth = kScreenWidth;
    frame.screenHeight = kScreenHeight;
    std::vector<size_t> started = effects_.EverStarted();
    std::sort(started.begin(), started.end());
    frame.effects.clear();
    frame.effects.reserve(started.size());
    for (size_t position : started) {
        const Effect& effect = effects_.At(position);
        EffectFrame item;
        item.name = effect.name;
        item.kind = effect.kind;
        if (effect.run != kNoEffect) {
            const EffectRun& run = effects_.Runs()[effect.run];
            Timeline timeline;
            timeline.startDelay = run.active[static_cast<int>(Parameter::StartDelay)][0];
            timeline.duration = run.active[static_cast<int>(Parameter::Duration)][0];
            timeline.iterations = run.iterations;
            timeline.fadeTime = run.active[static_cast<int>(Parameter::Envelope)][3];
            item.phase = effect.kind == EffectKind::Compound ? EffectPhase::Playing
                                                              : Locate(timeline, now_ - run.startedAt).phase;
            item.forceX = run.forceX;
            item.forceY = run.forceY;
        }
        FillShape(effect, item);
        frame.effects.push_back(std::move(item));
    }
}

}  // namespace velsim
