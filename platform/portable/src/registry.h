// Internal to libjvelcom: finding a class's in-process server module.
#pragma once

#include "platform/com.h"

namespace jvelcom {

// Asks the module registered for classId (per-user registry first, then the
// bundled one beside libjvelcom) for its class object, through the module's
// DllGetClassObject(classId, riid, object).
// Returns REGDB_E_CLASSNOTREG when neither registry names the class;
// HRESULT_FROM_WIN32(ERROR_MOD_NOT_FOUND) when the named module is refused (not
// an absolute path) or cannot be loaded; CO_E_ERRORINDLL when it does not
// export DllGetClassObject; otherwise what DllGetClassObject returned.
// May throw std::bad_alloc.
HRESULT getClassObjectFromRegistry(REFCLSID classId, REFIID riid, void** object);

}  // namespace jvelcom
