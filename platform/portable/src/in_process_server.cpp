// Loading the in-process server the registry names and asking it for a class
// object. Every failure of the layer's own leaves error information that says
// what was tried, so a caller can tell the user what to mend.
#include "layer_error.h"
#include "registry.h"
#include "trusted_file.h"

#include <dlfcn.h>

namespace {

using jvelcom::CheckedFile;
using jvelcom::FileVerdict;
using jvelcom::Registration;

const HRESULT moduleNotFound = HRESULT_FROM_WIN32(ERROR_MOD_NOT_FOUND);

// "Class {...}: the module /x.so (/real/x.so) named by /y/{...}", the path
// links lead to in brackets when it differs.
std::string moduleContext(const std::string& classId, const Registration& registration, const std::string& resolved)
{
    const std::string& named = registration.modulePath;
    return "Class " + classId + ": the module " + named + (resolved != named ? " (" + resolved + ")" : "") +
           " named by " + registration.file;
}

}  // namespace

HRESULT jvelcom::getClassObjectFromRegistry(REFCLSID classId, REFIID riid, void** object)
{
    *object = nullptr;
    const std::string id = classIdText(classId);
    const Registration registration = findRegistration(classId);
    switch (registration.state) {
    case Registration::State::NotRegistered:
        return failWithErrorInfo(REGDB_E_CLASSNOTREG, "Class " + id + " is not registered: no registration file of "
                                                          "that name in " + registration.searched + ".");
    case Registration::State::Untrusted:
        return failWithErrorInfo(E_ACCESSDENIED, "Class " + id + ": the registration " + registration.file +
                                                     " was refused: " + registration.problem + ".");
    case Registration::State::Unusable:
        return failWithErrorInfo(moduleNotFound, "Class " + id + ": the registration " + registration.file +
                                                     " cannot be used: " + registration.problem + ".");
    case Registration::State::Found:
        break;
    }

    const CheckedFile module = checkTrustedFile(registration.modulePath);
    const std::string context = moduleContext(id, registration, module.path);
    if (module.verdict == FileVerdict::Untrusted)
        return failWithErrorInfo(E_ACCESSDENIED, context + " was refused: " + module.reason + ".");
    if (module.verdict == FileVerdict::Unusable)
        return failWithErrorInfo(moduleNotFound, context + " cannot be loaded: " + module.reason + ".");

    // The module stays loaded for the life of the process: objects and class
    // factories it handed out may be alive anywhere, and COM callers never
    // know when the last one goes. The resolved path is loaded, which nobody
    // but a trusted user can have changed since the check.
    void* handle = dlopen(module.path.c_str(), RTLD_NOW | RTLD_LOCAL);
    if (handle == nullptr) {
        const char* reason = dlerror();
        return failWithErrorInfo(moduleNotFound, context + " cannot be loaded: " +
                                                     (reason != nullptr ? reason : "the loader gave no reason") + ".");
    }
    auto getClassObject = reinterpret_cast<LPFNGETCLASSOBJECT>(dlsym(handle, "DllGetClassObject"));
    if (getClassObject == nullptr)
        return failWithErrorInfo(CO_E_ERRORINDLL, context + " does not export DllGetClassObject.");
    const HRESULT hr = getClassObject(classId, riid, object);
    if (FAILED(hr)) {
        *object = nullptr;  // whatever a failing module left there is not ours
        return hr;
    }
    if (*object == nullptr)
        return failWithErrorInfo(E_UNEXPECTED, context + ": DllGetClassObject succeeded without an object.");
    return hr;
}
