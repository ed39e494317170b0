// Internal to libjvelcom: finding a class's in-process server module.
#pragma once

#include "platform/com.h"

#include <string>

namespace jvelcom {

// What the registry says about one class.
struct Registration {
    enum class State {
        NotRegistered,  // no registration file names the class
        Untrusted,      // the registration file or a directory above it could be written by another user
        Unusable,       // a registration exists but names no usable module (see docs/component-registry.md)
        Found,          // modulePath is an absolute path, not yet checked
    };
    State state = State::NotRegistered;
    std::string file;        // the registration file, once one was found
    std::string modulePath;  // the module it names, when Found
    std::string problem;     // why it is Untrusted or Unusable
    std::string searched;    // the registry directories looked in
};

// The per-user registration of classId if there is one, usable or not; else
// the bundled one. Every registration file is read through checkTrustedFile.
// May throw std::bad_alloc.
Registration findRegistration(REFCLSID classId);

// Asks the module registered for classId for its class object, through the
// module's DllGetClassObject(classId, riid, object). On failure *object is
// NULL and, for every failure of the layer's own (all but the last two
// below), the calling thread's error information names the class, the
// registration file and module tried, and the reason (dlerror's text when
// the module does not load). Returns:
//   REGDB_E_CLASSNOTREG  neither registry names the class;
//   E_ACCESSDENIED       the registration or the module, or a directory above
//                        either, could be written by another user;
//   HRESULT_FROM_WIN32(ERROR_MOD_NOT_FOUND)  the registration cannot be used,
//                        or the module is missing, not a regular file, or
//                        does not load;
//   CO_E_ERRORINDLL      the module does not export DllGetClassObject;
//   E_UNEXPECTED         DllGetClassObject succeeded without an object;
//   otherwise what DllGetClassObject returned.
// May throw std::bad_alloc.
HRESULT getClassObjectFromRegistry(REFCLSID classId, REFIID riid, void** object);

}  // namespace jvelcom
