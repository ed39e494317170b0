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

Point SimulatedDevice::ScreenPosition() const
{
    const Point device = DevicePosition();
    const auto scale = [](int32_t units, int32_t pixels) {
        return static_cast<int32_t>(int64_t{units + kDeviceReach} * (pixels - 1) / (2 * kDeviceReach));
    };
    return {scale(device.x, kScreenWidth), scale(device.y, kScreenHeight)};
}

}  // namespace velsim
