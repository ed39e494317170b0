// The natives of com.velmora.jvelweb.sim.SimulatedDevice: each borrows the
// plug-in held, as the call frame does (so a concurrent _jni_delete is safe),
// asks it for the simulated device's control interface, and makes one call.
// Every failure leaves one Java exception pending, a DeviceRefusal saying
// whether no plug-in was held, the plug-in is not the simulated one, or the
// device refused (with its HRESULT and its error object's description); the
// Java side turns it into the public exception. No C++ exception gets out.
#include <com_velmora_jvelweb_sim_SimulatedDevice.h>

#include <cstdint>
#include <memory>
#include <new>

#include "bridge/com_error.h"
#include "bridge/com_ptr.h"
#include "bridge/java_text.h"
#include "bridge/plugin_handle.h"
#include "plugin/simulated_device_control.h"

namespace jvelweb {
namespace {

static_assert(sizeof(jint) == sizeof(LONG), "a Java int array is handed to the device as LONGs");

// DeviceRefusal's reasons, in Java.
enum class Refusal : jint { NoPlugin = 0, NotSimulated = 1, Refused = 2 };

// Leaves a DeviceRefusal(reason, hresult, description) pending. If the JVM
// cannot make it, its own error (an OutOfMemoryError) is pending instead,
// which ends the call just as well.
void ThrowRefusal(JNIEnv* env, Refusal reason, HRESULT hresult, BSTR description) noexcept
{
    const jclass type = env->FindClass("com/velmora/jvelweb/sim/DeviceRefusal");
    if (type == nullptr) return;
    const jmethodID make = env->GetMethodID(type, "<init>", "(IILjava/lang/String;)V");
    if (make == nullptr) return;
    jstring text = nullptr;
    if (description != nullptr) {
        text = env->NewString(reinterpret_cast<const jchar*>(description), static_cast<jsize>(SysStringLen(description)));
        if (text == nullptr) return;
    }
    const jobject refusal = env->NewObject(type, make, static_cast<jint>(reason), static_cast<jint>(hresult), text);
    if (refusal != nullptr) env->Throw(static_cast<jthrowable>(refusal));
}

// The device refused: its HRESULT with the description of its error object.
void ThrowRefusal(JNIEnv* env, const _com_error& error) noexcept
{
    SharedWideString description;
    try {
        description = error.Description();
    } catch (const _com_error&) {
        // No memory for the description: the HRESULT alone still says it.
    }
    ThrowRefusal(env, Refusal::Refused, error.Error(), description.Wide());
}

void ThrowNoMemory(JNIEnv* env) noexcept { ThrowRefusal(env, Refusal::Refused, E_OUTOFMEMORY, nullptr); }

// The plug-in held, borrowed for this call, and its control interface.
struct Control {
    PluginRef plugin;
    ComPtr<ISimulatedDeviceControl> device;
    HRESULT found = E_NOINTERFACE;  // what QueryInterface answered
};

// May throw only what a plug-in throws through its QueryInterface.
Control FindControl(JNIEnv* env)
{
    Control control;
    control.plugin = BorrowPlugin(env, nullptr);
    if (!control.plugin) return control;
    control.found = control.plugin->QueryInterface(IID_ISimulatedDeviceControl, control.device.ReceiveVoid());
    // A plug-in that says S_OK but hands out nothing does not offer it either.
    if (SUCCEEDED(control.found) && !control.device) control.found = E_NOINTERFACE;
    return control;
}

// Runs `operation` on the control interface and returns true, or leaves a
// DeviceRefusal pending and returns false.
template <class Operation>
bool CallControl(JNIEnv* env, Operation&& operation) noexcept
{
    try {
        const Control control = FindControl(env);
        if (!control.plugin) {
            ThrowRefusal(env, Refusal::NoPlugin, E_POINTER, nullptr);
            return false;
        }
        if (FAILED(control.found)) {
            ThrowRefusal(env, Refusal::NotSimulated, control.found, nullptr);
            return false;
        }
        try {
            const HRESULT hr = operation(control.device.Get());
            if (FAILED(hr)) RaiseComErrorWithInfo(hr, control.device.Get(), IID_ISimulatedDeviceControl);
            return true;
        } catch (const _com_error& error) {
            ThrowRefusal(env, error);
            return false;
        }
    } catch (...) {
        // A plug-in that throws through its vtable: refused, as E_UNEXPECTED.
        if (!env->ExceptionCheck()) ThrowRefusal(env, Refusal::Refused, E_UNEXPECTED, nullptr);
        return false;
    }
}

// Both axes in one jlong, x in the high half: one call gives one moment.
jlong Pack(LONG x, LONG y) noexcept
{
    return static_cast<jlong>(static_cast<uint64_t>(static_cast<uint32_t>(x)) << 32 | static_cast<uint32_t>(y));
}

// A Java int array's first `count` values, copied for the device to borrow;
// null (with a DeviceRefusal pending) when memory runs out or the array is
// shorter.
std::unique_ptr<LONG[]> CopyInts(JNIEnv* env, jintArray values, jint count) noexcept
{
    if (values == nullptr || env->GetArrayLength(values) < count) {
        ThrowRefusal(env, Refusal::Refused, E_INVALIDARG, nullptr);
        return nullptr;
    }
    std::unique_ptr<LONG[]> copy(new (std::nothrow) LONG[static_cast<size_t>(count)]);
    if (copy == nullptr) {
        ThrowNoMemory(env);
        return nullptr;
    }
    env->GetIntArrayRegion(values, 0, count, reinterpret_cast<jint*>(copy.get()));
    return copy;
}

// A Java String as a BSTR for the call; false (with a DeviceRefusal pending)
// when it is null or memory runs out.
bool TakeText(JNIEnv* env, jstring text, JavaName& name) noexcept
{
    switch (name.Take(env, text)) {
    case JavaArgument::Taken:
        return true;
    case JavaArgument::Null:
        ThrowRefusal(env, Refusal::Refused, E_INVALIDARG, nullptr);
        return false;
    case JavaArgument::OutOfMemory:
        break;
    }
    ThrowNoMemory(env);
    return false;
}

}  // namespace
}  // namespace jvelweb

using namespace jvelweb;

#define JVELWEB_SIMULATED(Result, Name, ...) \
    extern "C" JNIEXPORT Result JNICALL Java_com_velmora_jvelweb_sim_SimulatedDevice_##Name(JNIEnv* env, jclass __VA_OPT__(, __VA_ARGS__))

JVELWEB_SIMULATED(jboolean, offersControl)
{
    try {
        return SUCCEEDED(FindControl(env).found) ? JNI_TRUE : JNI_FALSE;
    } catch (...) {
        return JNI_FALSE;  // a plug-in whose QueryInterface throws is no simulator of ours
    }
}

JVELWEB_SIMULATED(void, manualClock)
{
    CallControl(env, [](ISimulatedDeviceControl* device) { return device->UseManualClock(); });
}

JVELWEB_SIMULATED(void, realClock)
{
    CallControl(env, [](ISimulatedDeviceControl* device) { return device->UseRealClock(); });
}

JVELWEB_SIMULATED(void, advanceClock, jlong millis)
{
    CallControl(env, [millis](ISimulatedDeviceControl* device) { return device->Advance(millis); });
}

JVELWEB_SIMULATED(jlong, clockMillis)
{
    LONGLONG millis = 0;
    CallControl(env, [&millis](ISimulatedDeviceControl* device) { return device->GetMillis(&millis); });
    return millis;
}

JVELWEB_SIMULATED(void, moveHandTo, jint x, jint y)
{
    CallControl(env, [x, y](ISimulatedDeviceControl* device) { return device->MoveHand(x, y); });
}

JVELWEB_SIMULATED(void, followPoints, jint count, jintArray times, jintArray xs, jintArray ys)
{
    if (count < 1) {
        ThrowRefusal(env, Refusal::Refused, E_INVALIDARG, nullptr);
        return;
    }
    const std::unique_ptr<LONG[]> t = CopyInts(env, times, count);
    if (t == nullptr) return;
    const std::unique_ptr<LONG[]> x = CopyInts(env, xs, count);
    if (x == nullptr) return;
    const std::unique_ptr<LONG[]> y = CopyInts(env, ys, count);
    if (y == nullptr) return;
    CallControl(env, [&](ISimulatedDeviceControl* device) {
        return device->FollowPath(count, t.get(), x.get(), y.get());
    });
}

JVELWEB_SIMULATED(void, circleHand)
{
    CallControl(env, [](ISimulatedDeviceControl* device) { return device->UseCircleHand(); });
}

JVELWEB_SIMULATED(jlong, totalForce)
{
    LONG x = 0, y = 0;
    CallControl(env, [&](ISimulatedDeviceControl* device) { return device->GetForce(&x, &y); });
    return Pack(x, y);
}

JVELWEB_SIMULATED(jlong, effectForce, jstring effect)
{
    JavaName name;
    if (!TakeText(env, effect, name)) return 0;
    LONG x = 0, y = 0;
    CallControl(env, [&](ISimulatedDeviceControl* device) { return device->GetEffectForce(name.Wide(), &x, &y); });
    return Pack(x, y);
}

JVELWEB_SIMULATED(jlong, forceAtPoint, jint atX, jint atY)
{
    LONG x = 0, y = 0;
    CallControl(env, [&](ISimulatedDeviceControl* device) { return device->GetForceAt(atX, atY, &x, &y); });
    return Pack(x, y);
}

JVELWEB_SIMULATED(void, startRecording, jstring file)
{
    JavaName path;
    if (!TakeText(env, file, path)) return;
    CallControl(env, [&](ISimulatedDeviceControl* device) { return device->StartRecording(path.Wide()); });
}

JVELWEB_SIMULATED(void, endRecording)
{
    CallControl(env, [](ISimulatedDeviceControl* device) { return device->StopRecording(); });
}
