// The COM, OLE automation and Win32 functions of the portable layer. Each is
// exported with C linkage under its Windows name from the one shared module
// libjvelcom, which the bridge library and every component link against, so
// that a BSTR or error object made in one module is freed correctly in another.
#pragma once

#include "com_interfaces.h"

// ---- BSTR: a length-prefixed, zero-terminated UTF-16 string ----
// NULL in gives NULL out; "" gives an empty BSTR (not NULL); lengths that would
// overflow the 32-bit byte count give NULL.
STDAPI_(BSTR) SysAllocString(const OLECHAR* text);
STDAPI_(BSTR) SysAllocStringLen(const OLECHAR* text, UINT length);
STDAPI_(UINT) SysStringLen(BSTR text);
STDAPI_(UINT) SysStringByteLen(BSTR text);
STDAPI_(void) SysFreeString(BSTR text);

// ---- VARIANT ----
STDAPI_(void) VariantInit(VARIANT* v);
STDAPI VariantClear(VARIANT* v);
// Clears the destination first; deep-copies a BSTR (embedded zeros included);
// AddRefs VT_UNKNOWN and VT_DISPATCH; DISP_E_BADVARTYPE for unknown types.
STDAPI VariantCopy(VARIANT* destination, const VARIANT* source);

// ---- Error information, one slot per thread ----
STDAPI CreateErrorInfo(ICreateErrorInfo** info);
STDAPI SetErrorInfo(ULONG reserved, IErrorInfo* info);
// Hands the thread's object over (the caller owns that reference) and clears
// the slot; S_FALSE and NULL when there is none.
STDAPI GetErrorInfo(ULONG reserved, IErrorInfo** info);

// ---- Apartments, class objects and in-process servers ----
STDAPI CoInitialize(LPVOID reserved);
STDAPI_(void) CoUninitialize();
STDAPI CoCreateInstance(REFCLSID classId, IUnknown* outer, DWORD context, REFIID riid, LPVOID* object);
STDAPI CoGetClassObject(REFCLSID classId, DWORD context, LPVOID reserved, REFIID riid, LPVOID* object);
STDAPI CoRegisterClassObject(REFCLSID classId, IUnknown* factory, DWORD context, DWORD flags, DWORD* cookie);
STDAPI CoRevokeClassObject(DWORD cookie);
STDAPI OleRun(IUnknown* object);

// What an in-process server module exports.
typedef HRESULT(STDAPICALLTYPE* LPFNGETCLASSOBJECT)(REFCLSID, REFIID, LPVOID*);
typedef HRESULT(STDAPICALLTYPE* LPFNCANUNLOADNOW)();

// ---- The layer's registry: CLSID to in-process server module ----
// The equivalent of InprocServer32. A registration names an absolute module
// path; it is kept in the per-user registry directory (see docs/component-registry.md). The
// directory beside libjvelcom holds the registrations of bundled components,
// which name modules in that directory. Relative paths are refused, and a
// registration or module another user could have written is never used (see
// docs/component-registry.md).
STDAPI JVelComRegisterServer(REFCLSID classId, const char* absoluteModulePath);
STDAPI JVelComUnregisterServer(REFCLSID classId);

// ---- Win32 base services ----
STDAPI_(DWORD) FormatMessageA(DWORD flags, const void* source, DWORD messageId, DWORD languageId, LPSTR buffer,
                              DWORD size, void* arguments);
STDAPI_(HLOCAL) LocalAlloc(UINT flags, SIZE_T bytes);
STDAPI_(HLOCAL) LocalFree(HLOCAL memory);
STDAPI_(DWORD) GetLastError();
STDAPI_(void) SetLastError(DWORD error);
STDAPI_(LONG) InterlockedIncrement(LONG volatile* value);
STDAPI_(LONG) InterlockedDecrement(LONG volatile* value);
// A memory barrier on every thread of the process, at the caller's cost alone.
STDAPI_(void) FlushProcessWriteBuffers();

// ---- Counts of live objects, for leak checks in tests ----
// Strings allocated by SysAlloc* and not yet freed; error objects alive.
STDAPI_(LONG) JVelComLiveStrings();
STDAPI_(LONG) JVelComLiveErrorObjects();
