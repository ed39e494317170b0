#include "simulator/com/class_factory.h"

#include <new>

#include "simulator/com/module.h"
#include "simulator/com/velweb_simulator.h"

namespace velsim {

HRESULT SimulatorClassFactory::QueryInterface(REFIID riid, void** object)
{
    if (object == nullptr) return E_POINTER;
    if (riid != IID_IUnknown && riid != IID_IClassFactory) {
        *object = nullptr;
        return E_NOINTERFACE;
    }
    *object = static_cast<IClassFactory*>(this);
    AddRef();
    return S_OK;
}

ULONG SimulatorClassFactory::AddRef()
{
    LockModule();
    return 2;
}

ULONG SimulatorClassFactory::Release()
{
    UnlockModule();
    return 1;
}

HRESULT SimulatorClassFactory::CreateInstance(IUnknown* outer, REFIID riid, void** object)
{
    if (object == nullptr) return E_POINTER;
    *object = nullptr;
    if (outer != nullptr) return CLASS_E_NOAGGREGATION;
    VelWebSimulator* simulator = nullptr;
    try {
        simulator = new VelWebSimulator();
    } catch (const std::bad_alloc&) {
        return E_OUTOFMEMORY;
    } catch (...) {
        return E_FAIL;
    }
    // The new object holds one reference; the caller's comes from
    // QueryInterface, and an unknown interface frees the object again.
    const HRESULT hr = simulator->QueryInterface(riid, object);
    simulator->Release();
    return hr;
}

HRESULT SimulatorClassFactory::LockServer(BOOL lock)
{
    if (lock)
        LockModule();
    else
        UnlockModule();
    return S_OK;
}

SimulatorClassFactory& TheClassFactory()
{
    static SimulatorClassFactory factory;
    return factory;
}

}  // namespace velsim
