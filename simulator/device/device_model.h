// The device's reach and the screen it drives, and the circle the default
// hand follows: one step each time a program reads an X position.
#pragma once

#include <cstdint>

namespace velsim {

// Device units run from -kDeviceReach to +kDeviceReach on each axis, Y down.
inline constexpr int32_t kDeviceReach = 1000;
inline constexpr int32_t kPathRadius = 800;
inline constexpr int32_t kStepsPerTurn = 120;  // 3 degrees a step
inline constexpr int32_t kScreenWidth = 1920;
inline constexpr int32_t kScreenHeight = 1080;

struct Point {
    int32_t x;
    int32_t y;
};

// Between the device's units and screen pixels, on one axis of pixels pixels:
// the device's square reach stretched over the whole screen.
int32_t ScreenFromDevice(int32_t units, int32_t pixels);
// The nearest device unit of a pixel, limited to the reach.
int32_t DeviceFromScreen(int32_t pixel, int32_t pixels);

class SimulatedDevice {
public:
    // Moves the handle one step along its path.
    void Advance() { step_ = (step_ + 1) % kStepsPerTurn; }
    int32_t step() const { return step_; }

    // Where the handle is, in device units.
    Point DevicePosition() const;
    // Where the pointer is on the screen, in pixels: the device's square
    // reach stretched over the whole screen.
    Point ScreenPosition() const;

private:
    int32_t step_ = 0;
};

}  // namespace velsim
