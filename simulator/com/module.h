// The module's count of live objects and locks, which DllCanUnloadNow reads.
#pragma once

namespace velsim {

void LockModule();
void UnlockModule();
bool ModuleInUse();

}  // namespace velsim
