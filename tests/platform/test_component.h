// The in-process server modules built for the registry tests. Each serves the
// family of test classes (CLSIDs that differ only in Data1) and makes objects
// whose IPersist::GetClassID names the module that made them, so a test can
// tell which registration was used.
#pragma once

#include "platform/com.h"

#include <cstdint>

// A class of the test family; the modules serve any of them.
inline CLSID testClass(uint32_t number)
{
    return CLSID{number, 0x7E57, 0x4C0B, {0x9A, 0x1F, 0x01, 0x23, 0x45, 0x67, 0x89, 0xAB}};
}

inline bool isTestClass(REFCLSID id)
{
    CLSID same = testClass(id.Data1);
    return IsEqualGUID(same, id);
}

// What GetClassID answers: the module's identity, not the class asked for.
inline CLSID moduleIdentity(uint32_t identity)
{
    return CLSID{identity, 0x1D1D, 0x4E4E, {0x8B, 0x8B, 0, 0, 0, 0, 0, 0}};
}

// The class a module's DllRegisterServer registers.
constexpr uint32_t selfRegisteringClass = 0x5E1F5E1F;

// The classes of the hostile module; any other class it is asked for fails
// with a pointer left in *object.
constexpr uint32_t hostileNullClassObject = 0x0BAD0001;
constexpr uint32_t hostileNullInstance = 0x0BAD0002;
constexpr uint32_t hostileFailureWithPointer = 0x0BAD0003;
