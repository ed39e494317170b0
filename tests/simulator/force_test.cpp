// The force of each kind, as pure functions, against hand-computed values.
#include <gtest/gtest.h>

#include <cstdint>

#include "simulator/device/forces.h"

namespace velsim {
namespace {

struct ConditionCase {
    const char* what;
    ConditionAxis axis;  // centre, dead band, +coef, -coef, +sat, -sat, minimum
    int64_t metric;
    int64_t scale;
    int64_t force;
};

TEST(ConditionForce, DeadBandEdgesAsymmetricSidesSaturationAndMinimum)
{
    const ConditionCase cases[] = {
        {"at the centre", {100, 10, 5000, 5000, 0, 0, 0}, 100, kSpringScale, 0},
        {"on the band's upper edge", {100, 10, 5000, 5000, 0, 0, 0}, 110, kSpringScale, 0},
        {"one past the upper edge", {100, 10, 5000, 5000, 0, 0, 0}, 111, kSpringScale, -50},
        {"on the band's lower edge", {100, 10, 5000, 5000, 0, 0, 0}, 90, kSpringScale, 0},
        {"one past the lower edge", {100, 10, 5000, 5000, 0, 0, 0}, 89, kSpringScale, 50},
        {"positive side, its coefficient", {0, 0, 2000, 8000, 0, 0, 0}, 50, kSpringScale, -1000},
        {"negative side, its coefficient", {0, 0, 2000, 8000, 0, 0, 0}, -50, kSpringScale, 4000},
        {"negative coefficient pushes away", {0, 0, -3000, 0, 0, 0, 0}, 10, kSpringScale, 300},
        {"positive saturation", {0, 0, 10000, 10000, 2500, 7000, 0}, 1000, kSpringScale, -2500},
        {"negative saturation", {0, 0, 10000, 10000, 2500, 7000, 0}, -1000, kSpringScale, 7000},
        {"saturation 0 is the device maximum", {0, 0, 10000, 10000, 0, 0, 0}, 5000, kSpringScale, -10000},
        {"minimum lifts a weak force", {0, 0, 100, 100, 0, 0, 300}, 10, kSpringScale, -300},
        {"minimum leaves the dead band at 0", {0, 5, 100, 100, 0, 0, 300}, 5, kSpringScale, 0},
        {"saturation wins over the minimum", {0, 0, 100, 100, 200, 0, 300}, 10, kSpringScale, -200},
        {"damper scale: 1000 px/s", {0, 0, 10000, 10000, 0, 0, 0}, 1000, kDamperScale, -1000},
        {"inertia scale: -20000 px/s2", {0, 0, 10000, 5000, 0, 0, 0}, -20000, kInertiaScale, 1000},
        // 64-bit products: the largest coefficient times the farthest int32 metric.
        {"largest product, positive", {INT32_MIN, 0, 10000, 10000, 0, 0, 0}, INT32_MAX, 1, -10000},
        {"largest product, negative", {INT32_MAX, 0, 10000, -10000, 0, 0, 0}, INT32_MIN, 1, -10000},
        {"largest dead band leaves the rest", {0, 10000, 100, 100, 0, 0, 0}, 10100, kSpringScale, -100},
    };
    for (const ConditionCase& c : cases)
        EXPECT_EQ(ConditionForce(c.axis, c.metric, c.scale), c.force) << c.what;
}

TEST(FrictionForce, OpposesTheDirectionOfMotionPastTheDeadBandWhateverTheSpeed)
{
    const ConditionAxis axis{0, 20, 3000, 1000, 0, 0, 0};
    const struct {
        int32_t velocity;
        int64_t force;
    } cases[] = {{0, 0}, {20, 0}, {-20, 0}, {21, -3000}, {INT32_MAX, -3000}, {-21, 1000}, {INT32_MIN, 1000}};
    for (const auto& c : cases) EXPECT_EQ(FrictionForce(axis, c.velocity), c.force) << c.velocity;
}

TEST(Waveforms, EachWaveformAtPhasesZeroNinetyOneEightyTwoSeventy)
{
    const struct {
        int32_t waveform;
        int32_t at[4];  // 0, 90, 180, 270 degrees
    } cases[] = {
        {kSine, {0, 10000, 0, -10000}},
        {kSquare, {10000, 10000, -10000, -10000}},
        {kTriangle, {10000, 0, -10000, 0}},
        {kSawtoothUp, {-10000, -5000, 0, 5000}},
        {kSawtoothDown, {10000, 5000, 0, -5000}},
    };
    for (const auto& c : cases)
        for (int quarter = 0; quarter < 4; ++quarter)
            EXPECT_EQ(WaveAt(c.waveform, quarter * 9000), c.at[quarter]) << c.waveform << " at " << quarter * 90;
    // A phase is where the cycle starts: 100 ms period, 25 ms in, phase 90.
    EXPECT_EQ(CyclePosition(25, 100, 9000), 18000);
    EXPECT_EQ(CyclePosition(125, 100, 0), 9000) << "the cycle repeats";
    EXPECT_EQ(CyclePosition(25, 100, 27000), 0) << "wraps at a full turn";
    EXPECT_EQ(Sine(3000), 5000);
    EXPECT_EQ(Sine(-9000), -10000);
}

TEST(Directed, BearingsPointWhereTheForcePushesWithYDown)
{
    const struct {
        int32_t bearing;
        int64_t x, y;
    } cases[] = {{0, 0, -6000}, {9000, 6000, 0}, {18000, 0, 6000}, {27000, -6000, 0}, {4500, 4242, -4242}};
    for (const auto& c : cases) {
        const Force force = Directed(6000, c.bearing);
        EXPECT_EQ(force.x, c.x) << c.bearing;
        EXPECT_EQ(force.y, c.y) << c.bearing;
    }
    EXPECT_EQ(Interpolate(-10000, 10000, 250, 1000), -5000);
    EXPECT_EQ(Interpolate(-10000, 10000, 250, 0), -10000) << "no duration: the start";
    EXPECT_EQ(Interpolate(INT32_MIN, INT32_MAX, INT32_MAX, INT32_MAX), INT32_MAX) << "64-bit product";
}

TEST(Surfaces, GridLinesSnapAndTextureBumpsFollowTheDirectionOfMotion)
{
    // Lines every 100 px from 10, a 20 px snap, strength 4000.
    const struct {
        int32_t position;
        int64_t force;
    } grid[] = {{10, 0}, {15, -1000}, {29, -3800}, {30, 0}, {-5, 3000}, {95, 3000}, {-90, 0}, {60, 0}};
    for (const auto& c : grid) EXPECT_EQ(GridForce(10, 100, 4000, 20, c.position), c.force) << c.position;
    EXPECT_EQ(GridForce(10, 0, 4000, 20, 15), 0) << "no spacing, no lines";

    const int32_t magnitude[2] = {700, 300}, spacing[2] = {10, 25}, thickness[2] = {3, 5};
    const struct {
        int32_t position, velocity;
        int64_t force;
    } texture[] = {{12, 1, -700}, {13, 1, 0}, {-8, 1, -700}, {26, -1, 300}, {29, -1, 300}, {30, -1, 0}, {12, 0, 0}};
    for (const auto& c : texture)
        EXPECT_EQ(TextureForce(magnitude, spacing, thickness, c.position, c.velocity), c.force)
            << c.position << " moving " << c.velocity;
}

Wall Box()
{
    Wall wall;
    wall.left = 100;
    wall.top = 200;
    wall.width = 300;
    wall.height = 100;
    wall.stiffness[0] = 5000;
    wall.stiffness[1] = 2000;
    wall.saturation[0] = 3000;
    wall.thickness[0] = 10;
    wall.thickness[1] = 4;
    wall.stiffnessMask = kLeft | kTop | kRight | kBottom;
    return wall;
}

TEST(EnclosureForce, FacesPushFromTheSideTheHandleIsHeldOn)
{
    const Wall wall = Box();
    const struct {
        const char* what;
        bool inside;
        int32_t handX, handY, handleX, handleY;
        int64_t x, y;
    } cases[] = {
        {"middle: nothing", true, 250, 250, 250, 250, 0, 0},
        {"into the left band 8 px", true, 102, 250, 102, 250, 400, 0},
        {"past the left wall 70 px: saturated", true, 30, 250, 100, 250, 3000, 0},
        {"into the right and bottom bands", true, 398, 299, 398, 299, -400, -450},
        {"outside, in front of the left face", false, 98, 250, 98, 250, -40, 0},
        {"outside, beyond the band", false, 90, 250, 90, 250, 0, 0},
        {"outside, hand pushed 6 px into the top", false, 200, 206, 200, 200, 0, -200},
        {"outside, not in front of a face", false, 98, 100, 98, 100, 0, 0},
    };
    for (const auto& c : cases) {
        Motion motion;
        motion.handX = c.handX;
        motion.handY = c.handY;
        motion.x = c.handleX;
        motion.y = c.handleY;
        const Force force = EnclosureForce(wall, c.inside, motion);
        EXPECT_EQ(force.x, c.x) << c.what;
        EXPECT_EQ(force.y, c.y) << c.what;
    }
    Wall masked = wall;
    masked.stiffnessMask = kTop;
    Motion left;
    left.handX = left.x = 102;
    left.handY = left.y = 250;
    EXPECT_EQ(EnclosureForce(masked, true, left).x, 0) << "the stiffness mask leaves the left face soft";
    masked.viscosity = 5000;
    left.vx = 2000;
    EXPECT_EQ(EnclosureForce(masked, true, left).x, -1000) << "viscosity inside";
    EXPECT_EQ(EnclosureForce(masked, false, left).x, 0) << "no viscosity outside";
}

TEST(EllipseForce, PushesAlongTheRadius)
{
    Wall wall = Box();  // centre (250, 250), half axes 150 and 50
    Motion motion;
    motion.handX = motion.x = 395;  // 5 px inside the right end, inside the 10 px band
    motion.handY = motion.y = 250;
    Force force = EllipseForce(wall, true, motion);
    EXPECT_EQ(force.x, -250);
    EXPECT_EQ(force.y, 0);
    motion.handX = motion.x = 250;
    motion.handY = motion.y = 302;  // 2 px past the bottom, seen from outside: 2 px into the 4 px band
    force = EllipseForce(wall, false, motion);
    EXPECT_EQ(force.x, 0);
    EXPECT_EQ(force.y, 40);
}

TEST(HoldingWalls, AFiftyPixelJumpDoesNotPassAndTheHandleSlidesAlongTheWall)
{
    Wall wall = Box();
    wall.clippingMask = kLeft;
    bool inside = true;
    Spot held = HoldInEnclosure(wall, inside, {110, 250}, {60, 230});
    EXPECT_EQ(held.x, 100);
    EXPECT_EQ(held.y, 230) << "slides along the wall";
    EXPECT_TRUE(inside);
    held = HoldInEnclosure(wall, inside, held, {90, 150});
    EXPECT_EQ(held.x, 100);
    EXPECT_EQ(held.y, 150) << "the top does not hold: out over it";
    EXPECT_FALSE(inside);

    // From outside, a jump right across the whole box stops at its left face.
    inside = false;
    held = HoldInEnclosure(wall, inside, {60, 250}, {500, 260});
    EXPECT_EQ(held.x, 100);
    EXPECT_FALSE(inside);
    held = HoldInEnclosure(wall, inside, {60, 150}, {500, 150});
    EXPECT_EQ(held.x, 500) << "above the box, nothing is in the way";

    wall.clippingMask = kLeft | kTop | kRight | kBottom;
    inside = true;
    held = HoldInEllipse(wall, inside, {250, 250}, {250, 400});
    EXPECT_TRUE(InsideEllipse(wall, held));
    EXPECT_TRUE(inside);
    inside = false;
    held = HoldInEllipse(wall, inside, {0, 250}, {600, 250});
    EXPECT_EQ(held.x, 100) << "stops at the ellipse's left end";
    EXPECT_EQ(held.y, 250);
    EXPECT_FALSE(inside);
    wall.clippingMask = kLeft | kTop | kBottom;  // the arc facing right lets the handle out
    inside = true;
    held = HoldInEllipse(wall, inside, {250, 250}, {450, 250});
    EXPECT_EQ(held.x, 450);
    EXPECT_FALSE(inside);
    held = HoldInEllipse(wall, inside, held, {250, 250});
    EXPECT_EQ(held.x, 250) << "back in through the open arc";
    EXPECT_TRUE(inside);
    held = HoldInEllipse(wall, inside, held, {40, 250});
    EXPECT_EQ(held.x, 100) << "and held by the left one";
    EXPECT_TRUE(inside);
}

TEST(HoldingWalls, AHandSwingingAcrossForTenSecondsNeverTakesTheHandleOut)
{
    for (const bool ellipse : {false, true}) {
        Wall wall = Box();
        wall.clippingMask = kLeft | kTop | kRight | kBottom;
        bool inside = true;
        Spot handle{250, 250};
        // 10 s at 1 ms: a hand swinging 400 px either side of the centre, a
        // bit faster each second, some steps jumping 60 px.
        for (int ms = 0; ms < 10000; ++ms) {
            const int speed = 1 + ms / 1000;
            const int swing = (ms * speed * 7) % 1600;
            const int x = 250 + (swing < 800 ? swing - 400 : 1200 - swing);
            const int y = 250 + ((ms * 13) % 300) - 150;
            handle = ellipse ? HoldInEllipse(wall, inside, handle, {x, y}) : HoldInEnclosure(wall, inside, handle, {x, y});
            ASSERT_TRUE(inside) << ms;
            ASSERT_TRUE(ellipse ? InsideEllipse(wall, handle) : InsideEnclosure(wall, handle))
                << (ellipse ? "ellipse" : "enclosure") << " at " << ms << " ms: " << handle.x << ", " << handle.y;
        }
    }
}

}  // namespace
}  // namespace velsim
