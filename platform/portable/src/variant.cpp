// VARIANT lifetime: what a variant owns (a BSTR, an interface reference) is
// freed by VariantClear and duplicated by VariantCopy. Types this layer cannot
// own correctly (SAFEARRAY, records, a bare VT_VARIANT) are refused with
// DISP_E_BADVARTYPE instead of being half-handled.
#include "platform/com.h"

namespace {

// Value types a variant may hold by value: scalars, which own nothing, plus
// BSTR and the two interface types, which do.
bool isByValueType(VARTYPE type)
{
    switch (type) {
    case VT_EMPTY: case VT_NULL: case VT_I2: case VT_I4: case VT_R4: case VT_R8: case VT_CY: case VT_DATE:
    case VT_BSTR: case VT_DISPATCH: case VT_ERROR: case VT_BOOL: case VT_UNKNOWN: case VT_DECIMAL: case VT_I1:
    case VT_UI1: case VT_UI2: case VT_UI4: case VT_I8: case VT_UI8: case VT_INT: case VT_UINT:
        return true;
    default:
        return false;
    }
}

// A VT_BYREF variant only points at storage its owner keeps, so it owns
// nothing and any base type Windows accepts behind the pointer is fine, except
// EMPTY and NULL, which Windows refuses by reference.
bool isByRefType(VARTYPE type)
{
    const VARTYPE base = type & ~VT_BYREF;
    if (base & ~VT_TYPEMASK) return false;
    return base > VT_NULL && (isByValueType(base) || base == VT_VARIANT || base == VT_RECORD);
}

bool isValidType(VARTYPE type) { return (type & VT_BYREF) ? isByRefType(type) : isByValueType(type); }

}  // namespace

// Marks a variant empty. Only vt is written; the value bits are left as they
// were, as on Windows, so initialising never frees anything.
STDAPI_(void) VariantInit(VARIANT* v) { v->vt = VT_EMPTY; }

// Frees what the variant owns (BSTR freed, VT_UNKNOWN/VT_DISPATCH released, a
// NULL interface tolerated) and marks it VT_EMPTY.
// Returns S_OK, or DISP_E_BADVARTYPE for a type this layer does not know, with
// the variant left untouched.
STDAPI VariantClear(VARIANT* v)
{
    if (v == nullptr) return E_INVALIDARG;
    if (!isValidType(v->vt)) return DISP_E_BADVARTYPE;
    switch (v->vt) {
    case VT_BSTR:
        SysFreeString(v->bstrVal);
        break;
    case VT_UNKNOWN:
    case VT_DISPATCH:
        if (v->punkVal != nullptr) v->punkVal->Release();
        break;
    default:
        break;
    }
    v->vt = VT_EMPTY;
    return S_OK;
}

// Makes destination an independent copy of source: a BSTR is duplicated with
// its full length (embedded zeros survive; NULL stays NULL), interfaces are
// AddRef'd, everything else is copied bit for bit (a DECIMAL fills the whole
// variant, reserved words included, so the whole struct is copied).
// Returns S_OK when destination == source (nothing happens); DISP_E_BADVARTYPE
// for an unknown source type, destination untouched; the error of clearing the
// destination; E_OUTOFMEMORY if the BSTR cannot be duplicated (destination is
// then a VT_BSTR holding NULL, as Windows leaves it).
STDAPI VariantCopy(VARIANT* destination, const VARIANT* source)
{
    if (destination == nullptr || source == nullptr) return E_INVALIDARG;
    if (!isValidType(source->vt)) return DISP_E_BADVARTYPE;
    if (destination == source) return S_OK;
    HRESULT hr = VariantClear(destination);
    if (FAILED(hr)) return hr;
    *destination = *source;
    switch (source->vt) {
    case VT_BSTR:
        if (source->bstrVal != nullptr) {
            destination->bstrVal = SysAllocStringLen(source->bstrVal, SysStringLen(source->bstrVal));
            if (destination->bstrVal == nullptr) hr = E_OUTOFMEMORY;
        }
        break;
    case VT_UNKNOWN:
    case VT_DISPATCH:
        if (source->punkVal != nullptr) source->punkVal->AddRef();
        break;
    default:
        break;
    }
    return hr;
}
