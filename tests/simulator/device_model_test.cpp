// The simulated device's path and the screen it drives.
#include <gtest/gtest.h>

#include <cmath>

#include "simulator/device/device_model.h"

namespace velsim {
namespace {

TEST(SimulatedDevice, CirclesWithinReachAndComesBackAfterOneTurn)
{
    SimulatedDevice device;
    const Point start = device.DevicePosition();
    EXPECT_EQ(start.x, kPathRadius);
    EXPECT_EQ(start.y, 0);
    Point previous = start;
    for (int step = 1; step <= kStepsPerTurn; ++step) {
        device.Advance();
        const Point now = device.DevicePosition();
        EXPECT_NEAR(std::hypot(now.x, now.y), kPathRadius, 1.0) << step;
        EXPECT_TRUE(now.x != previous.x || now.y != previous.y) << "the handle moves every step " << step;
        const Point screen = device.ScreenPosition();
        EXPECT_GE(screen.x, 0);
        EXPECT_LT(screen.x, kScreenWidth);
        EXPECT_GE(screen.y, 0);
        EXPECT_LT(screen.y, kScreenHeight);
        previous = now;
    }
    EXPECT_EQ(device.step(), 0);
    EXPECT_EQ(device.DevicePosition().x, start.x);
    EXPECT_EQ(device.DevicePosition().y, start.y);
}

TEST(SimulatedDevice, ScreenStretchesTheDeviceReachOverTheWholeScreen)
{
    SimulatedDevice device;
    // Step 0 is (800, 0): 90 % of the way right, half way down.
    EXPECT_EQ(device.ScreenPosition().x, (kPathRadius + kDeviceReach) * (kScreenWidth - 1) / (2 * kDeviceReach));
    EXPECT_EQ(device.ScreenPosition().y, (kScreenHeight - 1) / 2);
    for (int i = 0; i < kStepsPerTurn / 4; ++i) device.Advance();
    // A quarter turn on, the handle is at (0, 800): the bottom middle.
    EXPECT_EQ(device.DevicePosition().x, 0);
    EXPECT_EQ(device.DevicePosition().y, kPathRadius);
    EXPECT_EQ(device.ScreenPosition().x, (kScreenWidth - 1) / 2);
    EXPECT_EQ(device.ScreenPosition().y, (kPathRadius + kDeviceReach) * (kScreenHeight - 1) / (2 * kDeviceReach));
}

}  // namespace
}  // namespace velsim
