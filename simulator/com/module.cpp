// The exports of the in-process server module: the class object, the unload
// question, and self-registration. This is the one place in the simulator
// where platforms differ.
#include "simulator/com/module.h"

#include <atomic>

#include "plugin/plugin_ids.h"
#include "simulator/com/class_factory.h"

#ifdef _WIN32
#include <olectl.h>  // SELFREG_E_CLASS
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

namespace {

// The key regsvr32 writes for an in-process server, under HKEY_CLASSES_ROOT.
const wchar_t kClassKey[] = L"CLSID\\{18B46DCC-AD84-47A3-8974-433DC96BACB6}";
const wchar_t kServerKey[] = L"CLSID\\{18B46DCC-AD84-47A3-8974-433DC96BACB6}\\InprocServer32";
const wchar_t kClassName[] = L"VelWeb plugin (simulated)";
const wchar_t kThreadingModel[] = L"Both";

HRESULT FromWin32(LONG error)
{
    return error == ERROR_SUCCESS ? S_OK : HRESULT_FROM_WIN32(static_cast<DWORD>(error));
}

// The full path of this module; false when it cannot be had whole.
bool OwnModulePath(wchar_t (&path)[MAX_PATH])
{
    HMODULE module = nullptr;
    if (!GetModuleHandleExW(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
                            reinterpret_cast<LPCWSTR>(&OwnModulePath), &module))
        return false;
    const DWORD length = GetModuleFileNameW(module, path, MAX_PATH);
    return length > 0 && length < MAX_PATH;
}

LONG SetText(HKEY key, const wchar_t* name, const wchar_t* text)
{
    const DWORD bytes = static_cast<DWORD>((lstrlenW(text) + 1) * sizeof(wchar_t));
    return RegSetValueExW(key, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(text), bytes);
}

// Creates (or opens) HKCR\<subkey> and sets its default value to `text`.
LONG WriteKey(const wchar_t* subkey, const wchar_t* text, HKEY* opened)
{
    LONG error = RegCreateKeyExW(HKEY_CLASSES_ROOT, subkey, 0, nullptr, REG_OPTION_NON_VOLATILE, KEY_SET_VALUE,
                                 nullptr, opened, nullptr);
    if (error == ERROR_SUCCESS) error = SetText(*opened, nullptr, text);
    return error;
}

}  // namespace

// Registers this module as the plug-in's in-process server, as regsvr32 does:
// HKCR\CLSID\{...}\InprocServer32 holds the module's path, ThreadingModel
// "Both". Writing HKEY_CLASSES_ROOT needs an administrator.
VELSIM_EXPORT HRESULT STDAPICALLTYPE DllRegisterServer()
{
    wchar_t path[MAX_PATH];
    if (!OwnModulePath(path)) return SELFREG_E_CLASS;
    HKEY classKey = nullptr, serverKey = nullptr;
    LONG error = WriteKey(kClassKey, kClassName, &classKey);
    if (error == ERROR_SUCCESS) error = WriteKey(kServerKey, path, &serverKey);
    if (error == ERROR_SUCCESS) error = SetText(serverKey, L"ThreadingModel", kThreadingModel);
    if (serverKey != nullptr) RegCloseKey(serverKey);
    if (classKey != nullptr) RegCloseKey(classKey);
    if (error != ERROR_SUCCESS) {
        RegDeleteTreeW(HKEY_CLASSES_ROOT, kClassKey);  // leave no half-written registration
        return FromWin32(error);
    }
    return S_OK;
}

// Removes HKCR\CLSID\{...}; like regsvr32 /u, removing a registration that is
// already gone succeeds.
VELSIM_EXPORT HRESULT STDAPICALLTYPE DllUnregisterServer()
{
    const LONG error = RegDeleteTreeW(HKEY_CLASSES_ROOT, kClassKey);
    return error == ERROR_FILE_NOT_FOUND ? S_OK : FromWin32(error);
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
