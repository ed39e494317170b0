// The COM plumbing of the simulated plug-in: identity and lifetime, the
// persistence of DeviceFlag, error information, and the helpers every
// operation goes through. The operations are in simulator_*.cpp.
#include "simulator/com/velweb_simulator.h"

#include "simulator/com/bstr_text.h"
#include "simulator/com/module.h"
#include "simulator/effects/text.h"

namespace velsim {

namespace {

constexpr char16_t kDeviceFlagProperty[] = u"DeviceFlag";
constexpr char16_t kSimulatedViewProperty[] = u"SimulatedView";

const IID& DeclaringInterface(jvelweb::WebPluginSlot slot)
{
    return static_cast<int>(slot) <= static_cast<int>(jvelweb::WebPluginSlot::MakePeriodic)
               ? jvelweb::DeclaringInterfaceId<IWebPlugin>()
               : jvelweb::DeclaringInterfaceId<IWebPlugin2>();
}

const char* OperationName(jvelweb::WebPluginSlot slot)
{
    switch (slot) {
#define VELSIM_NAME_CASE(number, name, params) \
    case jvelweb::WebPluginSlot::name:         \
        return #name;
        JVELWEB_IWEBPLUGIN_OPERATIONS(VELSIM_NAME_CASE)
        JVELWEB_IWEBPLUGIN2_OPERATIONS(VELSIM_NAME_CASE)
#undef VELSIM_NAME_CASE
    }
    return "This operation";
}

}  // namespace

VelWebSimulator::VelWebSimulator()
{
    LockModule();
}

VelWebSimulator::~VelWebSimulator()
{
    StopViewBeforeDestruction();
    UnlockModule();
}

// ---- IUnknown ----

HRESULT VelWebSimulator::QueryInterface(REFIID riid, void** object)
{
    if (object == nullptr) return E_POINTER;
    if (riid == IID_IUnknown || riid == IID_IDispatch || riid == IID_IWebPlugin || riid == IID_IWebPlugin2) {
        *object = static_cast<IWebPlugin2*>(this);
    } else if (riid == IID_ISimulatedDeviceControl) {
        *object = static_cast<ISimulatedDeviceControl*>(this);
    } else if (riid == IID_IPersist || riid == IID_IPersistPropertyBag) {
        *object = static_cast<IPersistPropertyBag*>(this);
    } else if (riid == IID_ISupportErrorInfo) {
        *object = static_cast<ISupportErrorInfo*>(this);
    } else {
        *object = nullptr;
        return E_NOINTERFACE;
    }
    AddRef();
    return S_OK;
}

ULONG VelWebSimulator::AddRef()
{
    return references_.fetch_add(1, std::memory_order_relaxed) + 1;
}

ULONG VelWebSimulator::Release()
{
    const ULONG remaining = references_.fetch_sub(1, std::memory_order_acq_rel) - 1;
    if (remaining == 0) delete this;
    return remaining;
}

// ---- IDispatch ----

HRESULT VelWebSimulator::GetTypeInfoCount(UINT* count)
{
    if (count == nullptr) return E_POINTER;
    *count = 0;
    return S_OK;
}

HRESULT VelWebSimulator::GetTypeInfo(UINT, LCID, ITypeInfo** info)
{
    if (info != nullptr) *info = nullptr;
    return E_NOTIMPL;
}

HRESULT VelWebSimulator::GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*)
{
    return E_NOTIMPL;
}

HRESULT VelWebSimulator::Invoke(DISPID, REFIID, LCID, WORD, DISPPARAMS*, VARIANT*, EXCEPINFO*, UINT*)
{
    return E_NOTIMPL;
}

// ---- IPersist, IPersistPropertyBag ----

HRESULT VelWebSimulator::GetClassID(CLSID* classId)
{
    if (classId == nullptr) return E_POINTER;
    *classId = CLSID_VelWebPlugin;
    return S_OK;
}

HRESULT VelWebSimulator::InitNew()
{
    std::lock_guard<std::mutex> lock(mutex_);
    deviceFlag_ = 0;
    return S_OK;
}

HRESULT VelWebSimulator::Load(IPropertyBag* bag, IErrorLog* errorLog)
{
    if (bag == nullptr) return E_POINTER;
    VARIANT value;
    VariantInit(&value);
    value.vt = VT_I4;  // the type asked for
    value.lVal = 0;
    // A bag without the property (Read fails) means the default, 0.
    LONG flag = 0;
    HRESULT hr = S_OK;
    if (SUCCEEDED(bag->Read(OleText(kDeviceFlagProperty), &value, errorLog))) {
        switch (value.vt) {
        case VT_I4: flag = value.lVal; break;
        case VT_INT: flag = value.intVal; break;
        case VT_I2: flag = value.iVal; break;
        default: hr = DISP_E_TYPEMISMATCH; break;  // not an integer: refuse rather than guess
        }
        VariantClear(&value);
    }
    if (SUCCEEDED(hr)) {
        {
            std::lock_guard<std::mutex> lock(mutex_);
            deviceFlag_ = flag;
        }
        StartViewFromBag(bag, errorLog);
    }
    return hr;
}

// The view's switch, when the host passed it on (JVelWeb writes
// -Djvelweb.sim.view or JVELWEB_SIM_VIEW into the bag as SimulatedView). A
// view that cannot start is reported on stderr and the plug-in loads anyway.
void VelWebSimulator::StartViewFromBag(IPropertyBag* bag, IErrorLog* errorLog) noexcept
{
    VARIANT value;
    VariantInit(&value);
    value.vt = VT_BSTR;
    if (FAILED(bag->Read(OleText(kSimulatedViewProperty), &value, errorLog))) return;
    try {
        if (value.vt == VT_BSTR) {
            std::string setting;
            for (char16_t unit : FromBstr(value.bstrVal)) setting += unit < 0x80 ? static_cast<char>(unit) : '?';
            StartViewFromSetting(setting);
        }
    } catch (...) {
        // Out of memory: no view, the plug-in still loads.
    }
    VariantClear(&value);
}

HRESULT VelWebSimulator::Save(IPropertyBag* bag, BOOL, BOOL)
{
    if (bag == nullptr) return E_POINTER;
    VARIANT value;
    VariantInit(&value);
    value.vt = VT_I4;
    {
        std::lock_guard<std::mutex> lock(mutex_);
        value.lVal = deviceFlag_;
    }
    return bag->Write(OleText(kDeviceFlagProperty), &value);
}

// ---- ISupportErrorInfo ----

HRESULT VelWebSimulator::InterfaceSupportsErrorInfo(REFIID riid)
{
    return riid == IID_IWebPlugin || riid == IID_IWebPlugin2 || riid == IID_ISimulatedDeviceControl ? S_OK : S_FALSE;
}

// ---- Helpers of the operations ----

HRESULT VelWebSimulator::Fail(Slot slot, HRESULT hr, std::u16string_view description) noexcept
{
    return Fail(DeclaringInterface(slot), hr, description);
}

HRESULT VelWebSimulator::Fail(const IID& declaring, HRESULT hr, std::u16string_view description) noexcept
{
    lastError_.store(hr, std::memory_order_relaxed);
    ICreateErrorInfo* created = nullptr;
    if (FAILED(CreateErrorInfo(&created)) || created == nullptr) return hr;
    // Error objects take LPOLESTR; these BSTRs give them terminated copies.
    BSTR source = ToBstr(kErrorSource);
    BSTR text = ToBstr(description);
    created->SetGUID(declaring);
    if (source != nullptr) created->SetSource(source);
    if (text != nullptr) created->SetDescription(text);
    IErrorInfo* info = nullptr;
    if (SUCCEEDED(created->QueryInterface(IID_IErrorInfo, reinterpret_cast<void**>(&info))) && info != nullptr) {
        SetErrorInfo(0, info);
        info->Release();
    }
    SysFreeString(text);
    SysFreeString(source);
    created->Release();
    return hr;
}

HRESULT VelWebSimulator::Make(Slot slot, BSTR effect, EffectKind kind, LONG creationValue,
                              VARIANT_BOOL* result) noexcept
{
    return Run(slot, result, [&](VARIANT_BOOL& made) {
        std::u16string name = FromBstr(effect);
        const auto lock = LockUpToDate();
        const Status status = model_.Create(std::move(name), kind, creationValue);
        if (status.ok()) made = VARIANT_TRUE;
        return status;
    });
}

HRESULT VelWebSimulator::Change(Slot slot, BSTR effect, ChangeId change, std::initializer_list<LONG> values,
                                LONG apply, VARIANT_BOOL* result) noexcept
{
    return Run(slot, result, [&](VARIANT_BOOL& changed) {
        const std::u16string name = FromBstr(effect);
        const std::vector<int32_t> stored(values.begin(), values.end());
        const auto lock = LockUpToDate();
        const Status status = model_.Change(name, change, stored, apply != 0);
        if (status.ok() && apply != 0) device_.EffectsChanged();
        if (status.ok()) changed = VARIANT_TRUE;
        return status;
    });
}

HRESULT VelWebSimulator::Query(Slot slot, BSTR effect, QueryId query, LONG* result) noexcept
{
    return Run(slot, result, [&](LONG& value) {
        const std::u16string name = FromBstr(effect);
        const auto lock = LockUpToDate();
        int32_t read = 0;
        const Status status = model_.Read(name, query, read);
        if (status.ok()) value = read;
        return status;
    });
}

template <class Out>
HRESULT VelWebSimulator::NotAvailable(Slot slot, Out* result) noexcept
{
    if (result != nullptr) *result = Out{};
    try {
        const std::u16string description =
            Ascii(OperationName(slot)) + u" is not available in the simulated plug-in";
        return Fail(slot, E_NOTIMPL, description);
    } catch (...) {
        return Fail(slot, E_NOTIMPL, u"This operation is not available in the simulated plug-in");
    }
}

template HRESULT VelWebSimulator::NotAvailable<LONG>(Slot, LONG*) noexcept;
template HRESULT VelWebSimulator::NotAvailable<VARIANT_BOOL>(Slot, VARIANT_BOOL*) noexcept;

HRESULT VelWebSimulator::Text(Slot slot, std::u16string_view text, BSTR* result) noexcept
{
    return Run(slot, result, [&](BSTR& out) {
        out = ToBstr(text);
        if (out == nullptr) throw std::bad_alloc();
        return Status::Ok();
    });
}

}  // namespace velsim
