// The failing HRESULTs of the simulated plug-in. Its own codes are in
// FACILITY_ITF, as interface-specific errors are; the others are the standard
// ones (E_INVALIDARG, E_POINTER, E_NOTIMPL, E_OUTOFMEMORY, E_FAIL).
#pragma once

#include "platform/com.h"
#include "simulator/effects/status.h"

namespace velsim {

inline constexpr HRESULT VELSIM_E_UNKNOWN_EFFECT = static_cast<HRESULT>(0x80040A01);
inline constexpr HRESULT VELSIM_E_DUPLICATE_NAME = static_cast<HRESULT>(0x80040A02);
inline constexpr HRESULT VELSIM_E_NOT_SUPPORTED = static_cast<HRESULT>(0x80040A03);
inline constexpr HRESULT VELSIM_E_BAD_RESOURCE = static_cast<HRESULT>(0x80040A04);
inline constexpr HRESULT VELSIM_E_UNREADABLE_RESOURCE = static_cast<HRESULT>(0x80040A05);

// The source every error object of the simulator names.
inline constexpr char16_t kErrorSource[] = u"VelWeb Simulator";

inline HRESULT HresultFor(Fault fault)
{
    switch (fault) {
    case Fault::None: return S_OK;
    case Fault::UnknownEffect: return VELSIM_E_UNKNOWN_EFFECT;
    case Fault::DuplicateName: return VELSIM_E_DUPLICATE_NAME;
    case Fault::NotSupported: return VELSIM_E_NOT_SUPPORTED;
    case Fault::InvalidValue: return E_INVALIDARG;
    case Fault::BadResource: return VELSIM_E_BAD_RESOURCE;
    case Fault::UnreadableResource: return VELSIM_E_UNREADABLE_RESOURCE;
    }
    return E_FAIL;
}

}  // namespace velsim
