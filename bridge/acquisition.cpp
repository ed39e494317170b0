// _jni_initialize and _jni_delete: acquiring the plug-in and releasing it.
#include <com_velmora_jvelweb_JVelWeb.h>

#include <new>

#include "bridge/diagnostics.h"
#include "bridge/failure_record.h"
#include "bridge/property_bag.h"
#include "bridge/plugin_handle.h"
#include "bridge/simulated_view_setting.h"
#include "bridge/trace.h"
#include "bridge/variant_holder.h"

namespace jvelweb {
namespace {

constexpr const char kInitialize[] = "_jni_initialize";

// Where Windows looks the plug-in up: what the failure record says when COM
// gives no reason of its own for a failed creation.
constexpr const char kRegistrationLookedUp[] =
    "Class {18B46DCC-AD84-47A3-8974-433DC96BACB6} is looked up in "
    "HKCR\\CLSID\\{18B46DCC-AD84-47A3-8974-433DC96BACB6}\\InprocServer32";

void RaiseIfFailed(HRESULT hr)
{
    if (FAILED(hr)) RaiseComError(hr);
}

// Why the plug-in could not be created, when that was the failure.
struct CreationFailure {
    bool failed = false;
    ComPtr<IErrorInfo> info;  // what COM said about it, if anything
};

// Creates and runs the plug-in, asks it for IWebPlugin2 into `plugin`, and
// hands its IPersistPropertyBag::Load a bag holding DeviceFlag. Every failure
// raises a _com_error with the HRESULT alone. When the creation fails, the
// error information COM left for it (the portable layer names the class, the
// module tried and the loader's reason) goes to `creation`, for the failure
// record only: the report shows no error information here.
void AcquirePlugin(PluginRef& plugin, jint deviceFlag, CreationFailure& creation)
{
    ComPtr<IUnknown> unknown;
    SetErrorInfo(0, nullptr);  // what is found after a failure is this creation's
    const HRESULT created =
        CoCreateInstance(CLSID_VelWebPlugin, nullptr, CLSCTX_ALL, IID_IUnknown, unknown.ReceiveVoid());
    if (FAILED(created)) {
        creation.failed = true;
        if (GetErrorInfo(0, creation.info.Receive()) != S_OK) creation.info.Reset();
        RaiseComError(created);
    }
    HRESULT hr = OleRun(unknown.Get());
    if (SUCCEEDED(hr)) hr = unknown->QueryInterface(IID_IWebPlugin2, plugin.ReceiveVoid());
    unknown.Reset();
    RaiseIfFailed(hr);

    // The bag is ours until Load has returned: a plug-in that takes and drops
    // a reference during Load must not destroy it under our feet, and one that
    // keeps none must not leave it behind.
    PropertyBag* rawBag = new (std::nothrow) PropertyBag();
    if (rawBag == nullptr) RaiseComError(E_OUTOFMEMORY);
    ComPtr<IPropertyBag> bag = ComPtr<IPropertyBag>::Copy(rawBag);

    VariantHolder value;
    value.Get()->vt = VT_I4;
    value.Get()->lVal = deviceFlag;
    SharedWideString name = SharedWideString::FromNarrow("DeviceFlag");
    RaiseIfFailed(bag->Write(name.Wide(), value.Get()));
    // The simulated plug-in's view switch, when one was given. The VARIANT
    // only borrows the holder's BSTR (the bag copies it), so it is not cleared.
    const SharedWideString view = SimulatedViewSetting();
    if (view.HasText()) {
        VARIANT borrowed;
        VariantInit(&borrowed);
        borrowed.vt = VT_BSTR;
        borrowed.bstrVal = view.Wide();
        const SharedWideString viewName = SharedWideString::FromNarrow(kSimulatedViewProperty);
        RaiseIfFailed(bag->Write(viewName.Wide(), &borrowed));
    }

    ComPtr<IPersistPropertyBag> persist;
    RaiseIfFailed(plugin.Checked()->QueryInterface(IID_IPersistPropertyBag, persist.ReceiveVoid()));
    RaiseIfFailed(persist->Load(bag.Get(), nullptr));
    persist.Reset();

    name.Release();
    value.Clear();
}

// The CoInitialize calls of _jni_initialize on this thread that no
// _jni_delete on it has balanced yet. _jni_delete uninitialises COM only
// against one of these, never against a CoInitialize of another component
// on the thread (a GUI toolkit's, say).
thread_local unsigned t_ownComInitializations = 0;

}  // namespace
}  // namespace jvelweb

using namespace jvelweb;

extern "C" JNIEXPORT jint JNICALL Java_com_velmora_jvelweb_JVelWeb__1jni_1initialize(JNIEnv* env, jobject self,
                                                                                     jint deviceFlag)
{
    const HRESULT initialized = CoInitialize(nullptr);
    if (FAILED(initialized)) {
        Trace(env, "Could not initialize COM!");
        RecordFailure(kInitialize, FailureCause::ComError, initialized);
        return -1;
    }
    ++t_ownComInitializations;
    // Only a look: taking a reference here could meet a _jni_delete that has
    // just released the plug-in.
    if (GetPlugin(env, self) != nullptr) {
        // Already held: traced as nothing, recorded all the same. This
        // CoInitialize stays unbalanced.
        RecordFailure(kInitialize, FailureCause::AlreadyHeld, kAlreadyHeld);
        return -1;
    }
    PluginRef plugin;
    CreationFailure creation;
    try {
        AcquirePlugin(plugin, deviceFlag, creation);
    } catch (const _com_error& error) {
        Trace(env, "Could not acquire VelWeb plugin!");
        ComErrorReport(env, error);
        // The bag or the name that could not be allocated, or COM out of memory.
        const FailureCause cause =
            error.Error() == E_OUTOFMEMORY ? FailureCause::OutOfMemory : FailureCause::ComError;
        RecordFailure(kInitialize, cause, error, creation.info.Get(),
                      creation.failed ? kRegistrationLookedUp : nullptr);
        // The report shows no error information here; the record's
        // description (the registration, the module, the loader's reason)
        // follows it on a line of its own.
        TraceFailedMethod(env, kInitialize);
        return -1;  // `plugin` releases whatever was obtained
    } catch (...) {
        Trace(env, "Could not acquire VelWeb plugin!");
        RecordFailure(kInitialize, FailureCause::OutOfMemory, E_OUTOFMEMORY);
        return -1;
    }
    plugin->AddRef();  // the slot's own reference
    if (!InstallPlugin(env, self, plugin.Get())) {
        // Another _jni_initialize stored its plug-in since the look above.
        plugin->Release();
        RecordFailure(kInitialize, FailureCause::AlreadyHeld, kAlreadyHeld);
        return -1;
    }
    return 0;
}

// The slot is emptied first, so calls that start from here on fail at once;
// its reference is released once no call can still be taking one of its own.
extern "C" JNIEXPORT jint JNICALL Java_com_velmora_jvelweb_JVelWeb__1jni_1delete(JNIEnv* env, jobject self)
{
    if (IWebPlugin2* plugin = WithdrawPlugin(env, self)) plugin->Release();
    if (t_ownComInitializations > 0) {
        --t_ownComInitializations;
        CoUninitialize();
    }
    return 0;
}
