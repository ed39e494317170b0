// Where an effect is in time, and its envelope, against hand-computed values.
#include <gtest/gtest.h>

#include "simulator/device/timeline.h"

namespace velsim {
namespace {

TEST(Timeline, StartDelayDurationIterationsAndTheEnd)
{
    using P = EffectPhase;
    const struct {
        const char* what;
        Timeline timeline;  // start delay, duration, iterations, fade time
        int64_t since;
        P phase;
        int64_t into;
    } cases[] = {
        {"inside the start delay", {100, 500, 1, 0}, 99, P::Waiting, 0},
        {"the delay's end starts it", {100, 500, 1, 0}, 100, P::Playing, 0},
        {"last ms of one iteration", {100, 500, 1, 0}, 599, P::Playing, 499},
        {"one iteration ends", {100, 500, 1, 0}, 600, P::Done, 0},
        {"the delay does not come again", {100, 500, 3, 0}, 600, P::Playing, 0},
        {"third iteration", {100, 500, 3, 0}, 1350, P::Playing, 250},
        {"three iterations end", {100, 500, 3, 0}, 1600, P::Done, 0},
        {"-1 iterations never end", {0, 500, -1, 0}, 10000000007, P::Playing, 7},
        {"duration 0 plays until stopped", {0, 0, 1, 0}, 10000000007, P::Playing, 10000000007},
        {"duration 0 ignores the iterations", {50, 0, 2, 0}, 5050, P::Playing, 5000},
        {"before the fade", {0, 500, 1, 100}, 399, P::Playing, 399},
        {"the fade's first ms", {0, 500, 1, 100}, 400, P::Fading, 400},
        {"each iteration fades", {0, 500, 2, 100}, 950, P::Fading, 450},
        {"largest duration times iterations", {0, INT32_MAX, INT32_MAX, 0},
         int64_t{INT32_MAX} * INT32_MAX - 1, P::Playing, INT32_MAX - 1},
    };
    for (const auto& c : cases) {
        const TimelinePoint point = Locate(c.timeline, c.since);
        EXPECT_EQ(point.phase, c.phase) << c.what;
        EXPECT_EQ(point.intoIteration, c.into) << c.what;
    }
}

TEST(Envelope, AttackAndFadeBreakpoints)
{
    // Attack from 2000 over 100 ms, fade to 1000 over the last 200 ms of 1000.
    const Envelope envelope{2000, 100, 1000, 200};
    const struct {
        int64_t level;
        int64_t into;
        int64_t shaped;
    } cases[] = {
        {8000, 0, 2000},   {8000, 50, 5000},  {8000, 99, 7940},  {8000, 100, 8000}, {8000, 799, 8000},
        {8000, 800, 8000}, {8000, 900, 4500}, {8000, 999, 1035}, {-8000, 50, -5000}, {-8000, 900, -4500},
        {0, 0, 2000},  // a level of 0 counts as positive
        {1000, 50, 1500},
    };
    for (const auto& c : cases)
        EXPECT_EQ(ApplyEnvelope(c.level, envelope, c.into, 1000), c.shaped) << c.level << " at " << c.into;
    EXPECT_EQ(ApplyEnvelope(8000, envelope, 900, 0), 8000) << "until stopped: no fade";
    EXPECT_EQ(ApplyEnvelope(8000, {2000, 600, 1000, 600}, 500, 1000), 7000) << "overlapping: the attack wins";
}

}  // namespace
}  // namespace velsim
