// The class object of the simulated plug-in: one for the module, never freed.
#pragma once

#include "platform/com.h"

namespace velsim {

class SimulatorClassFactory final : public IClassFactory {
public:
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** object) override;
    // References to the one class object keep the module loaded.
    ULONG STDMETHODCALLTYPE AddRef() override;
    ULONG STDMETHODCALLTYPE Release() override;
    // A fresh plug-in, with no effects, for every call. No aggregation.
    HRESULT STDMETHODCALLTYPE CreateInstance(IUnknown* outer, REFIID riid, void** object) override;
    HRESULT STDMETHODCALLTYPE LockServer(BOOL lock) override;
};

SimulatorClassFactory& TheClassFactory();

}  // namespace velsim
