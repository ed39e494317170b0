#include "simulator/device/device_model.h"

#include <cmath>

namespace velsim {

Point SimulatedDevice::DevicePosition() const
{
    constexpr double kPi = 3.14159265358979323846;
    const double angle = 2.0 * kPi * step_ / kStepsPerTurn;
    return {static_cast<int32_t>(std::lround(kPathRadius * std::cos(angle))),
            static_cast<int32_t>(std::lround(kPathRadius * std::sin(angle)))};
}

int32_t ScreenFromDevice(int32_t units, int32_t pixels)
{
    return static_cast<int32_t>(int64_t{units + kDeviceReach} * (pixels - 1) / (2 * kDeviceReach));
}

int32_t DeviceFromScreen(int32_t pixel, int32_t pixels)
{
    const int64_t span = pixels - 1;
    const int64_t scaled = int64_t{pixel} * 2 * kDeviceReach;
    const int64_t units = (scaled >= 0 ? scaled + span / 2 : scaled - span / 2) / span - kDeviceReach;
    return static_cast<int32_t>(units < -kDeviceReach ? -kDeviceReach : units > kDeviceReach ? kDeviceReach : units);
}

Point SimulatedDevice::ScreenPosition() const
{
    const Point device = DevicePosition();
    return {ScreenFromDevice(device.x, kScreenWidth), ScreenFromDevice(device.y, kScreenHeight)};
}

}  // namespace velsim
