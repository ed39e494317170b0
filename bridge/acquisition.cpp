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
    PluginRef plugin(GetPlugin(env, self));
    if (plugin) return -1;  // already held; this CoInitialize stays unbalanced
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
    SetPlugin(env, self, plugin.Get());
    plugin->AddRef();  // the slot's own reference
    return 0;
}

extern "C" JNIEXPORT jint JNICALL Java_com_velmora_jvelweb_JVelWeb__1jni_1delete(JNIEnv* env, jobject self)
{
    if (IWebPlugin2* plugin = GetPlugin(env, self)) {
        plugin->Release();
        SetPlugin(env, self, nullptr);
    }
    CoUninitialize();
    return 0;
}
