// Internal to libjvelcom: error information the layer itself leaves for the
// caller, as a component would, when it cannot serve a class.
#pragma once

#include "platform/com.h"

#include <string>

namespace jvelcom {

// "{18B46DCC-AD84-47A3-8974-433DC96BACB6}": the registry form of a class id.
std::string classIdText(REFCLSID classId);

// Puts an error object with source "jvelcom" and this description (UTF-8;
// invalid bytes become U+FFFD) in the calling thread's slot, and returns hr.
// Out of memory leaves the slot as it was.
HRESULT failWithErrorInfo(HRESULT hr, const std::string& description);

}  // namespace jvelcom
