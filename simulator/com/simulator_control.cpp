// ISimulatedDeviceControl: the simulator's own interface to drive and observe
// the simulated device. Every refusal leaves an error object naming this
// interface and changes nothing.
#include <cstdint>
#include <memory>
#include <system_error>
#include <vector>

#include "simulator/com/bstr_text.h"
#include "simulator/com/velweb_simulator.h"
#include "simulator/effects/text.h"

namespace velsim {

namespace {

constexpr unsigned long kErrorPathNotFound = 3;
constexpr unsigned long kErrorDiskFull = 112;
constexpr unsigned long kErrorBadFileType = 222;
constexpr unsigned long kErrorDirectory = 267;

// Why a recording file was refused, and the HRESULT the system's error gives.
HRESULT RecordingRefusal(FileCreate result, int error, std::u16string& why)
{
    switch (result) {
    case FileCreate::Link:
        why = u"it is a symbolic link, which the recorder does not follow";
        return E_ACCESSDENIED;
    case FileCreate::Directory:
        why = u"it is a directory";
        return HRESULT_FROM_WIN32(kErrorDirectory);
    case FileCreate::Special:
        why = u"it is not a regular file (a FIFO, device or socket)";
        return HRESULT_FROM_WIN32(kErrorBadFileType);
    default:
        break;
    }
    std::u16string message;
    if (!DecodeUtf8(std::generic_category().message(error), message)) message = u"error " + Decimal(error);
    why = u"it cannot be created: " + message;
    switch (std::errc(error)) {
    case std::errc::no_such_file_or_directory: case std::errc::not_a_directory:
        return HRESULT_FROM_WIN32(kErrorPathNotFound);
    case std::errc::permission_denied: case std::errc::operation_not_permitted:
    case std::errc::read_only_file_system:
        return E_ACCESSDENIED;
    case std::errc::no_space_on_device:
        return HRESULT_FROM_WIN32(kErrorDiskFull);
    default:
        return E_FAIL;
    }
}

}  // namespace

template <class Body>
HRESULT VelWebSimulator::Control(Body&& body) noexcept
{
    try {
        std::u16string why;
        const HRESULT hr = body(why);
        return SUCCEEDED(hr) ? hr : Fail(IID_ISimulatedDeviceControl, hr, why);
    } catch (const std::bad_alloc&) {
        return Fail(IID_ISimulatedDeviceControl, E_OUTOFMEMORY, u"Out of memory");
    } catch (...) {
        return Fail(IID_ISimulatedDeviceControl, E_FAIL, u"Unexpected internal error");
    }
}

// ---- The clock ----

HRESULT VelWebSimulator::UseManualClock()
{
    return Control([&](std::u16string&) {
        const auto lock = LockUpToDate();
        device_.clock().UseManual();
        return S_OK;
    });
}

HRESULT VelWebSimulator::UseRealClock()
{
    return Control([&](std::u16string&) {
        const auto lock = LockUpToDate();
        device_.clock().UseReal();
        return S_OK;
    });
}

HRESULT VelWebSimulator::Advance(LONGLONG millis)
{
    return Control([&](std::u16string& why) {
        if (millis < 0) {
            why = u"Advance takes 0 or more milliseconds, not " + Decimal(millis);
            return E_INVALIDARG;
        }
        const auto lock = LockUpToDate();
        if (!device_.clock().manual()) {
            why = u"Advance moves only the manual clock: call UseManualClock first";
            return E_UNEXPECTED;
        }
        if (millis > INT64_MAX / 2 - device_.Now()) {
            why = u"Advance by " + Decimal(millis) + u" ms would take the clock past its end";
            return E_INVALIDARG;
        }
        device_.clock().Advance(millis);
        device_.CatchUp();
        return S_OK;
    });
}

HRESULT VelWebSimulator::GetMillis(LONGLONG* millis)
{
    return Control([&](std::u16string& why) {
        if (millis == nullptr) {
            why = u"The result pointer is NULL";
            return E_POINTER;
        }
        const auto lock = LockUpToDate();
        *millis = device_.Now();
        return S_OK;
    });
}

// ---- The hand ----

HRESULT VelWebSimulator::MoveHand(LONG x, LONG y)
{
    return Control([&](std::u16string&) {
        PutHand(x, y);
        return S_OK;
    });
}

void VelWebSimulator::PutHand(int32_t x, int32_t y)
{
    const auto lock = LockUpToDate();
    device_.MoveHand({x, y});
}

HRESULT VelWebSimulator::FollowPath(LONG count, const LONG* times, const LONG* xs, const LONG* ys)
{
    return Control([&](std::u16string& why) {
        if (count < 1) {
            why = u"A path needs at least one point, not " + Decimal(count);
            return E_INVALIDARG;
        }
        if (times == nullptr || xs == nullptr || ys == nullptr) {
            why = u"A path's times, x and y must not be NULL";
            return E_POINTER;
        }
        std::vector<PathPoint> points(static_cast<size_t>(count));
        for (LONG i = 0; i < count; ++i) {
            if (times[i] < 0 || (i > 0 && times[i] < times[i - 1])) {
                why = u"Path point " + Decimal(i) + u" has time " + Decimal(times[i]) +
                      (times[i] < 0 ? u" ms: times start at 0" : u" ms, before the point ahead of it");
                return E_INVALIDARG;
            }
            points[static_cast<size_t>(i)] = {times[i], xs[i], ys[i]};
        }
        const auto lock = LockUpToDate();
        device_.FollowPath(std::move(points));
        return S_OK;
    });
}

HRESULT VelWebSimulator::UseCircleHand()
{
    return Control([&](std::u16string&) {
        const auto lock = LockUpToDate();
        device_.UseCircleHand();
        return S_OK;
    });
}

// ---- Forces ----

HRESULT VelWebSimulator::GetForce(LONG* x, LONG* y)
{
    return Control([&](std::u16string& why) {
        if (x == nullptr || y == nullptr) {
            why = u"The result pointer is NULL";
            return E_POINTER;
        }
        const auto lock = LockUpToDate();
        *x = static_cast<LONG>(device_.Total().x);
        *y = static_cast<LONG>(device_.Total().y);
        return S_OK;
    });
}

HRESULT VelWebSimulator::GetEffectForce(BSTR effect, LONG* x, LONG* y)
{
    return Control([&](std::u16string& why) {
        if (x == nullptr || y == nullptr) {
            why = u"The result pointer is NULL";
            return E_POINTER;
        }
        const std::u16string name = FromBstr(effect);
        const auto lock = LockUpToDate();
        const size_t position = model_.PositionOf(name);
        const Force share = position == kNoEffect ? Force{} : device_.ShareOf(position);
        *x = static_cast<LONG>(share.x);
        *y = static_cast<LONG>(share.y);
        return S_OK;
    });
}

HRESULT VelWebSimulator::GetForceAt(LONG x, LONG y, LONG* fx, LONG* fy)
{
    return Control([&](std::u16string& why) {
        if (fx == nullptr || fy == nullptr) {
            why = u"The result pointer is NULL";
            return E_POINTER;
        }
        const auto lock = LockUpToDate();
        const Force force = device_.ForceAt({x, y});
        *fx = static_cast<LONG>(force.x);
        *fy = static_cast<LONG>(force.y);
        return S_OK;
    });
}

void VelWebSimulator::CopyFrame(DeviceFrame& frame)
{
    const auto lock = LockUpToDate();
    device_.Fill(frame);
}

// ---- The recorder ----

HRESULT VelWebSimulator::StartRecording(BSTR path)
{
    return Control([&](std::u16string& why) {
        const std::u16string name = FromBstr(path);
        if (name.empty()) {
            why = u"A recording needs a file name";
            return E_INVALIDARG;
        }
        // The file is opened, and the one replaced closed, outside the lock.
        auto recorder = std::make_unique<Recorder>();
        int error = 0;
        const FileCreate result = recorder->Open(std::filesystem::u8path(EncodeUtf8(name)), error);
        if (result != FileCreate::Done) {
            const HRESULT hr = RecordingRefusal(result, error, why);
            why = u"Cannot record to " + Quoted(name) + u": " + why;
            return hr;
        }
        std::unique_ptr<Recorder> previous;
        {
            const auto lock = LockUpToDate();
            previous = device_.Record(std::move(recorder));
        }
        if (previous) previous->Close();
        return S_OK;
    });
}

HRESULT VelWebSimulator::StopRecording()
{
    return Control([&](std::u16string& why) {
        std::unique_ptr<Recorder> stopped;
        {
            const auto lock = LockUpToDate();
            stopped = device_.Record(nullptr);
        }
        if (!stopped || stopped->Close()) return S_OK;
        why = u"Writing the recording failed: the file is incomplete";
        return E_FAIL;
    });
}

// The live view's StartView and StopView are in simulator_view.cpp.

}  // namespace velsim
