// The simulated device in time: its clock, the hand, the handle, and the
// forces of the playing effects, stepped at a fixed 1 ms. Not thread-safe by
// itself: the COM object holds its lock around every call, and passes the
// effects it keeps.
//
// Time moves lazily: nothing runs between calls. Each call first catches the
// device up with its clock, one 1 ms step after another. A catch-up simulates
// at most kRealCatchUp steps under the real clock (10 s: a program that looks
// again after a long pause does not wait for the pause to be replayed) and
// kManualCatchUp under the manual one; the time before those is skipped:
// the effects' timelines still count it (effects that ended in it have ended)
// but the hand's motion and the recorder see none of it.
#pragma once

#include <filesystem>
#include <memory>
#include <vector>

#include "simulator/device/clock.h"
#include "simulator/device/device_frame.h"
#include "simulator/device/hand.h"
#include "simulator/device/handle.h"
#include "simulator/device/recorder.h"
#include "simulator/effects/effect_model.h"

namespace velsim {

inline constexpr int64_t kRealCatchUp = 10000;
inline constexpr int64_t kManualCatchUp = 600000;

class VirtualDevice {
public:
    explicit VirtualDevice(EffectModel& effects);
    ~VirtualDevice();
    VirtualDevice(const VirtualDevice&) = delete;
    VirtualDevice& operator=(const VirtualDevice&) = delete;

    // ---- Time ----
    DeviceClock& clock() { return clock_; }
    // Steps the device up to the clock's time.
    void CatchUp();
    // Device time of the last step.
    int64_t Now() const { return now_; }

    // ---- The hand; each takes effect at once, no time passing ----
    void MoveHand(Spot screen);
    void FollowPath(std::vector<PathPoint> points);
    void UseCircleHand();
    void OnXRead();
    const Placement& HandPlacement() const { return handAt_; }
    const Placement& HandlePlacement() const { return handle_.placement(); }

    // ---- Forces ----
    // The effects changed (started, stopped, a change applied): the handle
    // and forces are worked out again for now.
    void EffectsChanged();
    Force Total() const { return total_; }
    // One playing effect's share; 0, 0 for one not playing.
    Force ShareOf(size_t position) const;
    // The total for a handle held still at spot, changing nothing.
    Force ForceAt(Spot spot) const;
    // A copy of the device now, for a reader that formats it without the lock.
    void Fill(DeviceFrame& frame) const;

    // ---- The recorder ----
    // Opens the file and records from the next step; a recording already
    // running is stopped first.
    FileCreate StartRecording(const std::filesystem::path& path, int& error);
    // false when writing the recording failed; true when none runs.
    bool StopRecording();
    bool Recording() const { return recorder_ != nullptr; }
    // The same in two halves, so that a caller can open and close files
    // without holding its lock: records into an open recorder from the next
    // step, handing back the one it replaces (or none) for the caller to close.
    std::unique_ptr<Recorder> Record(std::unique_ptr<Recorder> recorder);

private:
    void Step(int64_t millis);
    // The handle from the hand, held by the holding walls.
    void Hold();
    void Evaluate(bool record);
    void Refresh();

    EffectModel& effects_;
    DeviceClock clock_;
    Hand hand_;
    Placement handAt_{};  // where the hand is now
    Handle handle_;
    int64_t now_ = 0;
    Force total_;
    std::unique_ptr<Recorder> recorder_;
    std::vector<size_t> ended_;        // reused by each evaluation
    std::vector<EffectShare> shares_;  // reused by each recorded row
};

}  // namespace velsim
