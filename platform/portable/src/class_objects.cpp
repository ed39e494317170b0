// Class objects: those registered by running code, and those served by
// in-process server modules found through the registry. CoCreateInstance and
// CoGetClassObject look in that order.
#include "apartment.h"
#include "layer_error.h"
#include "registry.h"

#include <mutex>
#include <new>
#include <vector>

namespace {

struct Registration {
    DWORD cookie;
    CLSID classId;
    DWORD context;
    IUnknown* factory;  // holds one reference
};

// One table for the whole process. It is never destroyed, so a call made while
// the process exits still finds a valid (if stale) table.
struct RegistrationTable {
    std::mutex lock;
    std::vector<Registration> entries;
    DWORD nextCookie = 1;
};

RegistrationTable& table()
{
    static RegistrationTable* instance = new RegistrationTable;
    return *instance;
}

// The earliest live registration of classId for a context the caller accepts,
// AddRef'd, or NULL.
IUnknown* findRegistered(REFCLSID classId, DWORD context)
{
    RegistrationTable& registrations = table();
    std::lock_guard<std::mutex> guard(registrations.lock);
    for (const Registration& entry : registrations.entries) {
        if (entry.classId == classId && (entry.context & context) != 0) {
            entry.factory->AddRef();
            return entry.factory;
        }
    }
    return nullptr;
}

// A registered object answers for itself: its failure passes through, and a
// success without an interface pointer is E_UNEXPECTED.
HRESULT getClassObject(REFCLSID classId, DWORD context, REFIID riid, void** object)
{
    if (IUnknown* registered = findRegistered(classId, context)) {
        HRESULT hr = registered->QueryInterface(riid, object);
        registered->Release();
        if (FAILED(hr)) *object = nullptr;
        else if (*object == nullptr) hr = E_UNEXPECTED;
        return hr;
    }
    // The registry holds in-process servers only.
    if ((context & CLSCTX_INPROC_SERVER) == 0) return REGDB_E_CLASSNOTREG;
    try {
        return jvelcom::getClassObjectFromRegistry(classId, riid, object);
    } catch (...) {
        return E_OUTOFMEMORY;
    }
}

// A factory that reports success but hands out nothing broke its contract;
// the error information says so.
HRESULT succeededWithoutObject(REFCLSID classId)
{
    try {
        return jvelcom::failWithErrorInfo(E_UNEXPECTED, "Class " + jvelcom::classIdText(classId) +
                                                            ": the class factory's CreateInstance succeeded without "
                                                            "an object.");
    } catch (...) {
        return E_UNEXPECTED;
    }
}

}  // namespace

// Makes factory available to CoCreateInstance/CoGetClassObject for classId, in
// every thread of the process, until CoRevokeClassObject(*cookie).
// context: the CLSCTX values it serves; a lookup matches when they intersect.
// flags: REGCLS_*, accepted and not interpreted (every registration is
// multiple-use here). Registering a class twice is allowed; the earlier one is
// found first.
// Returns S_OK with *cookie set and factory AddRef'd; E_INVALIDARG for a NULL
// factory or cookie; CO_E_NOTINITIALIZED on a thread without CoInitialize.
STDAPI CoRegisterClassObject(REFCLSID classId, IUnknown* factory, DWORD context, DWORD flags, DWORD* cookie)
{
    (void)flags;
    if (cookie == nullptr || factory == nullptr) return E_INVALIDARG;
    *cookie = 0;
    if (!jvelcom::threadIsInitialized()) return CO_E_NOTINITIALIZED;
    try {
        RegistrationTable& registrations = table();
        std::lock_guard<std::mutex> guard(registrations.lock);
        const DWORD assigned = registrations.nextCookie++;
        registrations.entries.push_back(Registration{assigned, classId, context, factory});
        factory->AddRef();
        *cookie = assigned;
        return S_OK;
    } catch (...) {
        return E_OUTOFMEMORY;
    }
}

// Withdraws a registration and releases its factory.
// Returns S_OK; E_INVALIDARG for a cookie that is not (or no longer)
// registered, which is what Windows answers rather than CO_E_OBJNOTREG;
// CO_E_NOTINITIALIZED on a thread without CoInitialize.
STDAPI CoRevokeClassObject(DWORD cookie)
{
    if (!jvelcom::threadIsInitialized()) return CO_E_NOTINITIALIZED;
    IUnknown* factory = nullptr;
    {
        RegistrationTable& registrations = table();
        std::lock_guard<std::mutex> guard(registrations.lock);
        for (auto entry = registrations.entries.begin(); entry != registrations.entries.end(); ++entry) {
            if (entry->cookie == cookie) {
                factory = entry->factory;
                registrations.entries.erase(entry);
                break;
            }
        }
    }
    if (factory == nullptr) return E_INVALIDARG;
    factory->Release();  // outside the lock: its destructor may call back in
    return S_OK;
}

// Gets the class object of classId as riid: a registered one first, then, for
// CLSCTX_INPROC_SERVER, the module the registry names (its DllGetClassObject).
// reserved: server information for remote activation; ignored.
// Returns S_OK; E_INVALIDARG for a NULL out pointer (*object is NULL on every
// other failure); CO_E_NOTINITIALIZED on a thread without CoInitialize;
// REGDB_E_CLASSNOTREG when nothing serves the class; the module errors
// described for the registry (with error information, see registry.h); the
// class object's QueryInterface error; E_UNEXPECTED when a registered class
// object or a module's DllGetClassObject succeeds without an interface.
STDAPI CoGetClassObject(REFCLSID classId, DWORD context, LPVOID reserved, REFIID riid, LPVOID* object)
{
    (void)reserved;
    if (object == nullptr) return E_INVALIDARG;
    *object = nullptr;
    if (!jvelcom::threadIsInitialized()) return CO_E_NOTINITIALIZED;
    return getClassObject(classId, context, riid, object);
}

// Creates an object of classId through its class factory (found as in
// CoGetClassObject) and returns its riid interface.
// outer: the controlling unknown when aggregating; the factory decides.
// Returns E_POINTER for a NULL out pointer; otherwise *object is set (NULL on
// failure) and the result is CO_E_NOTINITIALIZED on a thread without
// CoInitialize, REGDB_E_CLASSNOTREG when nothing serves the class, a module
// error (these leave error information naming the class, the registration and
// module tried and why), what IClassFactory::CreateInstance returned, or
// E_UNEXPECTED when it succeeded without an object (a broken component).
STDAPI CoCreateInstance(REFCLSID classId, IUnknown* outer, DWORD context, REFIID riid, LPVOID* object)
{
    if (object == nullptr) return E_POINTER;
    *object = nullptr;
    if (!jvelcom::threadIsInitialized()) return CO_E_NOTINITIALIZED;
    IClassFactory* factory = nullptr;
    HRESULT hr = getClassObject(classId, context, IID_IClassFactory, reinterpret_cast<void**>(&factory));
    if (FAILED(hr)) return hr;
    hr = factory->CreateInstance(outer, riid, object);
    factory->Release();
    if (FAILED(hr)) {
        *object = nullptr;  // whatever a failing factory left there is not ours
    } else if (*object == nullptr) {
        hr = succeededWithoutObject(classId);
    }
    return hr;
}

// Puts an object in its running state: calls IRunnableObject::Run(NULL) when
// the object has that interface and returns its result; S_OK for objects
// without it (most in-process objects run as soon as they exist). NULL gives
// E_INVALIDARG here, where Windows would fault.
STDAPI OleRun(IUnknown* object)
{
    if (object == nullptr) return E_INVALIDARG;
    IRunnableObject* runnable = nullptr;
    if (FAILED(object->QueryInterface(IID_IRunnableObject, reinterpret_cast<void**>(&runnable))) || !runnable)
        return S_OK;
    const HRESULT hr = runnable->Run(nullptr);
    runnable->Release();
    return hr;
}
