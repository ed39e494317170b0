// Identifiers of the web haptics plug-in ("VelWeb plugin"). The values are
// fixed: a plug-in component registers its class under CLSID_VelWebPlugin and
// answers QueryInterface for the two interface identifiers.
//   CLSID_VelWebPlugin  {18B46DCC-AD84-47A3-8974-433DC96BACB6}
//   IID_IWebPlugin      {3A787B53-FE53-45E4-9B86-0DB53351CC25}
//   IID_IWebPlugin2     {F8C92408-7EFF-4077-AF1F-5FE751F8AA7E}
#pragma once

#include "platform/com.h"

inline constexpr CLSID CLSID_VelWebPlugin = {0x18B46DCC, 0xAD84, 0x47A3, {0x89, 0x74, 0x43, 0x3D, 0xC9, 0x6B, 0xAC, 0xB6}};
inline constexpr IID IID_IWebPlugin = {0x3A787B53, 0xFE53, 0x45E4, {0x9B, 0x86, 0x0D, 0xB5, 0x33, 0x51, 0xCC, 0x25}};
inline constexpr IID IID_IWebPlugin2 = {0xF8C92408, 0x7EFF, 0x4077, {0xAF, 0x1F, 0x5F, 0xE7, 0x51, 0xF8, 0xAA, 0x7E}};
