// The exports of the in-process server module: the class object, the unload
// question, and self-registration. This is the one place in the simulator
// where platforms differ.
#include "simulator/module.h"

#include <atomic>

#include "plugin/plugin_ids.h"
#include "simulator/class_factory.h"

#ifdef _WIN32
// Exported through velwebsim.def, with the names and convention objbase.h
// declares.
#define VELSIM_EXPORT extern "C"
#else
#include <climits>
#include <cstdlib>
#include <dlfcn.h>
#define VELSIM_EXPORT extern "C" __attribute__((visibility("default")))
#endif

namespace velsim {

namespace {

// Live plug-in objects, references to the class object, and LockServer locks.
std::atomic<long> moduleUsers{0};

}  // namespace

void LockModule()
{
    moduleUsers.fetch_add(1, std::memory_order_relaxed);
}

void UnlockModule()
{
    moduleUsers.fetch_sub(1, std::memory_order_acq_rel);
}

bool ModuleInUse()
{
    return moduleUsers.load(std::memory_order_acquire) > 0;
}

}  // namespace velsim

VELSIM_EXPORT HRESULT STDAPICALLTYPE DllGetClassObject(REFCLSID classId, REFIID riid, LPVOID* object)
{
    if (object == nullptr) return E_POINTER;
    *object = nullptr;
    if (classId != CLSID_VelWebPlugin) return CLASS_E_CLASSNOTAVAILABLE;
    return velsim::TheClassFactory().QueryInterface(riid, object);
}

VELSIM_EXPORT HRESULT STDAPICALLTYPE DllCanUnloadNow()
{
    return velsim::ModuleInUse() ? S_FALSE : S_OK;
}

#ifdef _WIN32

// Writing HKCR\CLSID\{...}\InprocServer32 (ThreadingModel "Both") belongs
// here; until it is written, registration on Windows is refused.
VELSIM_EXPORT HRESULT STDAPICALLTYPE DllRegisterServer()
{
    return E_NOTIMPL;
}

VELSIM_EXPORT HRESULT STDAPICALLTYPE DllUnregisterServer()
{
    return E_NOTIMPL;
}

#else

namespace {

// The absolute path of this module, as the portable registry requires.
bool OwnModulePath(char (&path)[PATH_MAX])
{
    static const int anchor = 0;
    Dl_info info{};
    return dladdr(&anchor, &info) != 0 && info.dli_fname != nullptr && realpath(info.dli_fname, path) != nullptr;
}

}  // namespace

// Registers this module for the current user, so that it is found even where
// the bundled registration beside libjvelcom is not (see jvelcom-regsvr).
VELSIM_EXPORT HRESULT STDAPICALLTYPE DllRegisterServer()
{
    char path[PATH_MAX];
    if (!OwnModulePath(path)) return SELFREG_E_CLASS;
    return JVelComRegisterServer(CLSID_VelWebPlugin, path);
}

VELSIM_EXPORT HRESULT STDAPICALLTYPE DllUnregisterServer()
{
    return JVelComUnregisterServer(CLSID_VelWebPlugin);
}

#endif
