// The simulated device, screen and cursor, the plug-in's versions, and the
// page options it remembers. The positions are the handle's: where the hand
// put it, unless a holding wall stopped it.
#include "simulator/com/velweb_simulator.h"

#ifndef VELWEB_SIMULATOR_VERSION
#define VELWEB_SIMULATOR_VERSION "0.0.0"
#endif

namespace velsim {

namespace {

constexpr LONG kDeviceTypeMouse = 2;
constexpr LONG kTechnologySimulation = 0;
// The simulator stands in for the plug-in and every component under it.
constexpr char16_t kVersion[] = u"" VELWEB_SIMULATOR_VERSION "-sim";

}  // namespace

HRESULT VelWebSimulator::VibronaDeviceAttached(VARIANT_BOOL* result)
{
    return Run(Slot::VibronaDeviceAttached, result, [](VARIANT_BOOL& attached) {
        attached = VARIANT_TRUE;
        return Status::Ok();
    });
}

HRESULT VelWebSimulator::Position(Slot slot, bool onScreen, bool readX, LONG* result) noexcept
{
    return Run(slot, result, [&](LONG& coordinate) {
        const auto lock = LockUpToDate();
        if (readX) device_.OnXRead();
        const Placement& handle = device_.HandlePlacement();
        const Spot point = onScreen ? handle.screen : handle.device;
        coordinate = readX ? point.x : point.y;
        return Status::Ok();
    });
}

HRESULT VelWebSimulator::GetScreenPosX(LONG* result)
{
    return Position(Slot::GetScreenPosX, true, true, result);
}

HRESULT VelWebSimulator::GetScreenPosY(LONG* result)
{
    return Position(Slot::GetScreenPosY, true, false, result);
}

// The pointer of the page is the pointer of the screen: the simulated page
// fills the screen from its top left corner.
HRESULT VelWebSimulator::GetCursorPosX(LONG* result)
{
    return Position(Slot::GetCursorPosX, true, true, result);
}

HRESULT VelWebSimulator::GetCursorPosY(LONG* result)
{
    return Position(Slot::GetCursorPosY, true, false, result);
}

HRESULT VelWebSimulator::GetDevicePosX(LONG* result)
{
    return Position(Slot::GetDevicePosX, false, true, result);
}

HRESULT VelWebSimulator::GetDevicePosY(LONG* result)
{
    return Position(Slot::GetDevicePosY, false, false, result);
}

HRESULT VelWebSimulator::GetDeviceFlag(LONG* result)
{
    return Run(Slot::GetDeviceFlag, result, [&](LONG& flag) {
        std::lock_guard<std::mutex> lock(mutex_);
        flag = deviceFlag_;
        return Status::Ok();
    });
}

HRESULT VelWebSimulator::GetLastError(LONG* result)
{
    return Run(Slot::GetLastError, result, [&](LONG& code) {
        code = lastError_.load(std::memory_order_relaxed);
        return Status::Ok();
    });
}

HRESULT VelWebSimulator::GetDeviceType(LONG* result)
{
    return Run(Slot::GetDeviceType, result, [](LONG& type) {
        type = kDeviceTypeMouse;
        return Status::Ok();
    });
}

HRESULT VelWebSimulator::GetDeviceTechnology(LONG* result)
{
    return Run(Slot::GetDeviceTechnology, result, [](LONG& technology) {
        technology = kTechnologySimulation;
        return Status::Ok();
    });
}

HRESULT VelWebSimulator::GetDeviceTypeName(BSTR* result)
{
    return Text(Slot::GetDeviceTypeName, u"Mouse", result);
}

HRESULT VelWebSimulator::GetDeviceTechnologyName(BSTR* result)
{
    return Text(Slot::GetDeviceTechnologyName, u"Simulation", result);
}

HRESULT VelWebSimulator::GetDeviceProductName(BSTR* result)
{
    return Text(Slot::GetDeviceProductName, u"Vibrona Simulated Mouse", result);
}

HRESULT VelWebSimulator::GetPluginVersion(BSTR* result)
{
    return Text(Slot::GetPluginVersion, kVersion, result);
}

HRESULT VelWebSimulator::GetKorrinVersion(BSTR* result)
{
    return Text(Slot::GetKorrinVersion, kVersion, result);
}

HRESULT VelWebSimulator::GetVelAPIVersion(BSTR* result)
{
    return Text(Slot::GetVelAPIVersion, kVersion, result);
}

HRESULT VelWebSimulator::GetDXVersion(BSTR* result)
{
    return Text(Slot::GetDXVersion, kVersion, result);
}

HRESULT VelWebSimulator::GetDriverVersion(BSTR* result)
{
    return Text(Slot::GetDriverVersion, kVersion, result);
}

HRESULT VelWebSimulator::GetTorvexVersion(BSTR* result)
{
    return Text(Slot::GetTorvexVersion, kVersion, result);
}

// ---- Page options: any non-zero VARIANT_BOOL turns an option on ----

HRESULT VelWebSimulator::EnableHyperlinks(VARIANT_BOOL enable, VARIANT_BOOL* result)
{
    return Run(Slot::EnableHyperlinks, result, [&](VARIANT_BOOL& done) {
        std::lock_guard<std::mutex> lock(mutex_);
        hyperlinksEnabled_ = enable != 0;
        done = VARIANT_TRUE;
        return Status::Ok();
    });
}

HRESULT VelWebSimulator::GetHyperlinksEnabled(VARIANT_BOOL* result)
{
    return Run(Slot::GetHyperlinksEnabled, result, [&](VARIANT_BOOL& enabled) {
        std::lock_guard<std::mutex> lock(mutex_);
        enabled = hyperlinksEnabled_ ? VARIANT_TRUE : VARIANT_FALSE;
        return Status::Ok();
    });
}

HRESULT VelWebSimulator::EnableFormContent(VARIANT_BOOL enable, VARIANT_BOOL* result)
{
    return Run(Slot::EnableFormContent, result, [&](VARIANT_BOOL& done) {
        std::lock_guard<std::mutex> lock(mutex_);
        formContentEnabled_ = enable != 0;
        done = VARIANT_TRUE;
        return Status::Ok();
    });
}

HRESULT VelWebSimulator::GetFormContentEnabled(VARIANT_BOOL* result)
{
    return Run(Slot::GetFormContentEnabled, result, [&](VARIANT_BOOL& enabled) {
        std::lock_guard<std::mutex> lock(mutex_);
        enabled = formContentEnabled_ ? VARIANT_TRUE : VARIANT_FALSE;
        return Status::Ok();
    });
}

}  // namespace velsim
