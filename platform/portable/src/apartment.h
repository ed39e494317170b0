// Internal to libjvelcom: the calling thread's apartment state.
#pragma once

namespace jvelcom {

// True while the calling thread has more CoInitialize calls than CoUninitialize.
bool threadIsInitialized();

}  // namespace jvelcom
