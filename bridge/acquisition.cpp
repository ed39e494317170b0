// _jni_initialize and _jni_delete: acquiring the plug-in and releasing it.
#include <com_velmora_jvelweb_JVelWeb.h>

#include <new>

#include "bridge/property_bag.h"
#include "bridge/plugin_handle.h"
#include "bridge/trace.h"
#include "bridge/variant_holder.h"

namespace jvelweb {
namespace {

void RaiseIfFailed(HRESULT hr)
{
    if (FAILED(hr)) RaiseComError(hr);
}

// Creates and runs the plug-in, asks it for IWebPlugin2 into `plugin`, and
// hands its IPersistPropertyBag::Load a bag holding DeviceFlag. Every failure
// raises a _com_error with the HRESULT alone.
void AcquirePlugin(PluginRef& plugin, jint deviceFlag)
{
    ComPtr<IUnknown> unknown;
    RaiseIfFailed(CoCreateInstance(CLSID_VelWebPlugin, nullptr, CLSCTX_ALL, IID_IUnknown, unknown.ReceiveVoid()));
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
    if (FAILED(CoInitialize(nullptr))) {
        Trace(env, "Could not initialize COM!");
        return -1;
    }
    ++t_ownComInitializations;
    // Only a look: taking a reference here could meet a _jni_delete that has
    // just released the plug-in.
    if (GetPlugin(env, self) != nullptr) return -1;  // already held; this CoInitialize stays unbalanced
    PluginRef plugin;
    try {
        AcquirePlugin(plugin, deviceFlag);
    } catch (const _com_error& error) {
        Trace(env, "Could not acquire VelWeb plugin!");
        ComErrorReport(env, error);
        return -1;  // `plugin` releases whatever was obtained
    } catch (...) {
        Trace(env, "Could not acquire VelWeb plugin!");
        return -1;
    }
    plugin->AddRef();  // the slot's own reference
    if (!InstallPlugin(env, self, plugin.Get())) {
        // Another _jni_initialize stored its plug-in since the look above.
        plugin->Release();
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
