// A minimal in-process server: DllGetClassObject for the test classes, and
// DllRegisterServer/DllUnregisterServer that record the module's own absolute
// path in the per-user registry, as a real component does. Built twice, with
// different COMPONENT_IDENTITY values.
#include "test_component.h"

#include <atomic>
#include <dlfcn.h>
#include <new>

#define COMPONENT_EXPORT extern "C" __attribute__((visibility("default")))

namespace {

class IdentifiedObject final : public IPersist {
public:
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** object) override
    {
        if (object == nullptr) return E_POINTER;
        if (riid == IID_IUnknown || riid == IID_IPersist) {
            *object = static_cast<IPersist*>(this);
            AddRef();
            return S_OK;
        }
        *object = nullptr;
        return E_NOINTERFACE;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return ++references; }
    ULONG STDMETHODCALLTYPE Release() override
    {
        const ULONG remaining = --references;
        if (remaining == 0) delete this;
        return remaining;
    }
    HRESULT STDMETHODCALLTYPE GetClassID(CLSID* classId) override
    {
        *classId = moduleIdentity(COMPONENT_IDENTITY);
        return S_OK;
    }

private:
    std::atomic<ULONG> references{1};
};

// Lives as long as the module, which is never unloaded.
class Factory final : public IClassFactory {
public:
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** object) override
    {
        if (riid == IID_IUnknown || riid == IID_IClassFactory) {
            *object = static_cast<IClassFactory*>(this);
            return S_OK;
        }
        *object = nullptr;
        return E_NOINTERFACE;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return 2; }
    ULONG STDMETHODCALLTYPE Release() override { return 1; }
    HRESULT STDMETHODCALLTYPE CreateInstance(IUnknown* outer, REFIID riid, void** object) override
    {
        *object = nullptr;
        if (outer != nullptr) return CLASS_E_NOAGGREGATION;
        IdentifiedObject* created = new (std::nothrow) IdentifiedObject;
        if (created == nullptr) return E_OUTOFMEMORY;
        const HRESULT hr = created->QueryInterface(riid, object);
        created->Release();
        return hr;
    }
    HRESULT STDMETHODCALLTYPE LockServer(BOOL) override { return S_OK; }
};

Factory factory;

}  // namespace

COMPONENT_EXPORT HRESULT DllGetClassObject(REFCLSID classId, REFIID riid, void** object)
{
    if (!isTestClass(classId)) {
        *object = nullptr;
        return CLASS_E_CLASSNOTAVAILABLE;
    }
    return factory.QueryInterface(riid, object);
}

COMPONENT_EXPORT HRESULT DllCanUnloadNow() { return S_FALSE; }

COMPONENT_EXPORT HRESULT DllRegisterServer()
{
    Dl_info self{};
    if (dladdr(reinterpret_cast<void*>(&DllRegisterServer), &self) == 0 || self.dli_fname == nullptr) return E_FAIL;
    return JVelComRegisterServer(testClass(selfRegisteringClass), self.dli_fname);
}

COMPONENT_EXPORT HRESULT DllUnregisterServer() { return JVelComUnregisterServer(testClass(selfRegisteringClass)); }
