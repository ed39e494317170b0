// The simulated plug-in's view switch as the Java side read it
// (-Djvelweb.sim.view, else JVELWEB_SIM_VIEW): kept as given, and passed on
// to each plug-in acquired afterwards in the property bag, as SimulatedView.
// The bridge does not read it; the simulated plug-in does, and a real
// plug-in never asks its bag for that name.
#pragma once

#include "bridge/shared_wide_string.h"

namespace jvelweb {

// Keeps a copy of `setting` (UTF-8); null forgets it.
void SetSimulatedViewSetting(const char* setting) noexcept;

// The setting as a new wide string, or a null holder (no text) when none
// was given.
// Throws _com_error(E_OUTOFMEMORY) when the copy cannot be made.
SharedWideString SimulatedViewSetting();

inline constexpr char kSimulatedViewProperty[] = "SimulatedView";

}  // namespace jvelweb
