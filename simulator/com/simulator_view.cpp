// The live view of a simulator object: StartView and StopView of the control
// interface, and the start from the view's switch that Load finds in its bag.
// The view reads the device through CopyFrame and moves the hand through
// PutHand, with a plain pointer: it holds no reference, and the object's
// destructor stops it first.
#include <string>

#include "simulator/com/bstr_text.h"
#include "simulator/com/velweb_simulator.h"
#include "simulator/effects/text.h"

namespace velsim {

namespace {

std::u16string Widen(const std::string& ascii)
{
    return std::u16string(ascii.begin(), ascii.end());
}

}  // namespace

void VelWebSimulator::StartViewFromSetting(std::string_view setting)
{
    std::lock_guard<std::mutex> lock(viewMutex_);
    if (!view_) {
        view_ = std::make_unique<LiveView>(ViewSources{[this] {
                                                           DeviceFrame frame;
                                                           CopyFrame(frame);
                                                           return frame;
                                                       },
                                                       [this](int32_t x, int32_t y) { PutHand(x, y); }});
    }
    view_->StartFromSetting(setting);
}

HRESULT VelWebSimulator::StartView(LONG port, BSTR* address)
{
    if (address == nullptr) return Fail(IID_ISimulatedDeviceControl, E_POINTER, u"The result pointer is NULL");
    *address = nullptr;
    if (port < 0 || port > 65535)
        return Fail(IID_ISimulatedDeviceControl, E_INVALIDARG,
                    u"The view's port must be from 0 to 65535 (0 picks a free one), not " + Decimal(port));
    try {
        StartViewFromSetting(std::to_string(port));
        std::lock_guard<std::mutex> lock(viewMutex_);
        if (!view_->Running()) return Fail(IID_ISimulatedDeviceControl, E_FAIL, u"The view could not listen on port " + Decimal(port));
        // The address as printed; the server is running, so it has one.
        BSTR text = ToBstr(Widen(view_->Address()));
        if (text == nullptr) return Fail(IID_ISimulatedDeviceControl, E_OUTOFMEMORY, u"Out of memory");
        *address = text;
        return S_OK;
    } catch (const std::bad_alloc&) {
        return Fail(IID_ISimulatedDeviceControl, E_OUTOFMEMORY, u"Out of memory");
    } catch (...) {
        return Fail(IID_ISimulatedDeviceControl, E_FAIL, u"Unexpected internal error");
    }
}

HRESULT VelWebSimulator::StopView()
{
    std::lock_guard<std::mutex> lock(viewMutex_);
    if (view_) view_->Stop();
    return S_OK;
}

void VelWebSimulator::StopViewBeforeDestruction() noexcept
{
    std::lock_guard<std::mutex> lock(viewMutex_);
    view_.reset();
}

}  // namespace velsim
