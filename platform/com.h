// The one header through which library, plug-in and test code reach COM.
//
// On Windows it is the system's own COM and OLE automation; everywhere else it
// is the portable layer in platform/portable, which gives the same names with
// the same behaviour. Code above this header never asks which one it got.
#pragma once

#ifdef _WIN32
#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>
#include <ole2.h>
#include <oleauto.h>
#include <ocidl.h>
#else
#include "portable/include/com_types.h"
#include "portable/include/com_interfaces.h"
#include "portable/include/com_api.h"
#endif
