// An in-process server that breaks its contract in the ways a careless or
// hostile module can, one class each (see test_component.h):
//   hostileNullClassObject     DllGetClassObject succeeds with no object;
//   hostileNullInstance        its factory's CreateInstance succeeds with none;
//   hostileFailureWithPointer  DllGetClassObject fails but leaves a pointer.
#include "test_component.h"

#define COMPONENT_EXPORT extern "C" __attribute__((visibility("default")))

namespace {

// Lives as long as the module, which is never unloaded.
class NullFactory final : public IClassFactory {
public:
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** object) override
    {
        *object = riid == IID_IUnknown || riid == IID_IClassFactory ? static_cast<IClassFactory*>(this) : nullptr;
        return *object != nullptr ? S_OK : E_NOINTERFACE;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return 2; }
    ULONG STDMETHODCALLTYPE Release() override { return 1; }
    HRESULT STDMETHODCALLTYPE CreateInstance(IUnknown*, REFIID, void** object) override
    {
        *object = nullptr;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE LockServer(BOOL) override { return S_OK; }
};

NullFactory factory;

}  // namespace

COMPONENT_EXPORT HRESULT DllGetClassObject(REFCLSID classId, REFIID riid, void** object)
{
    if (classId == testClass(hostileNullClassObject)) {
        *object = nullptr;
        return S_OK;
    }
    if (classId == testClass(hostileNullInstance)) return factory.QueryInterface(riid, object);
    *object = reinterpret_cast<void*>(0x1);  // not an object: must never be used
    return CLASS_E_CLASSNOTAVAILABLE;
}
