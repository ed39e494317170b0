#include "tests/support/probe_plugin.h"

#include "tests/support/ole_text.h"

#include <tuple>
#include <utility>

namespace jvelweb::testing {
namespace {

ProbeInput Describe(BSTR text)
{
    ProbeInput input;
    input.kind = ProbeInput::Kind::Text;
    input.isNull = text == nullptr;
    input.text = U16(text);
    return input;
}

ProbeInput Describe(LONG number)
{
    ProbeInput input;
    input.kind = ProbeInput::Kind::Number;
    input.number = number;
    return input;
}

ProbeInput Describe(VARIANT_BOOL flag)
{
    ProbeInput input;
    input.kind = ProbeInput::Kind::Flag;
    input.flag = flag;
    return input;
}

template <class Tuple, size_t... I>
std::vector<ProbeInput> DescribeInputs(const Tuple& all, std::index_sequence<I...>)
{
    return {Describe(std::get<I>(all))...};
}

}  // namespace

template <class... Params>
HRESULT ProbePlugin::Answer(int slot, Params... params)
{
    auto all = std::make_tuple(params...);
    constexpr size_t kInputs = sizeof...(Params) - 1;
    if (refs_.load() == 0) ++callsWhileDead_;
    if (recordsCalls) Record(ProbeCall{slot, DescribeInputs(all, std::make_index_sequence<kInputs>{})});
    if (duringCall) duringCall();
    auto* output = std::get<kInputs>(all);
    if (output == nullptr) return E_POINTER;
    if (writeOutput) {
        using Output = std::remove_pointer_t<decltype(output)>;
        if (!std::is_same_v<Output, BSTR> || SUCCEEDED(answer)) WriteOutput(output);
    }
    if (FAILED(answer) && setsErrorInfo) SetErrorInfoForFailure();
    return answer;
}

void ProbePlugin::Record(ProbeCall call)
{
    std::lock_guard<std::mutex> lock(mutex_);
    calls_.push_back(std::move(call));
}

std::vector<ProbeCall> ProbePlugin::Calls() const
{
    std::lock_guard<std::mutex> lock(mutex_);
    return calls_;
}

void ProbePlugin::ClearCalls()
{
    std::lock_guard<std::mutex> lock(mutex_);
    calls_.clear();
}

void ProbePlugin::WriteOutput(LONG* out) { *out = numberAnswer; }
void ProbePlugin::WriteOutput(VARIANT_BOOL* out) { *out = flagAnswer; }
void ProbePlugin::WriteOutput(BSTR* out)
{
    *out = textAnswerIsNull ? nullptr : NewBstr(textAnswer);
}

void ProbePlugin::SetErrorInfoForFailure()
{
    ICreateErrorInfo* create = nullptr;
    if (FAILED(CreateErrorInfo(&create))) return;
    create->SetSource(Ole(errorSource.c_str()));
    create->SetDescription(Ole(errorDescription.c_str()));
    IErrorInfo* info = nullptr;
    if (SUCCEEDED(create->QueryInterface(IID_IErrorInfo, reinterpret_cast<void**>(&info)))) {
        SetErrorInfo(0, info);
        info->Release();
    }
    create->Release();
}

// ---- The other faces of the probe: plain C++ COM objects ----

// A face answers IUnknown for the whole probe: one identity, one count.
template <class Interface>
class Face : public Interface {
public:
    explicit Face(ProbePlugin& owner) : owner_(owner) {}
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** object) override
    {
        return owner_.QueryInterface(riid, object);
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return owner_.AddRef(); }
    ULONG STDMETHODCALLTYPE Release() override { return owner_.Release(); }

protected:
    ProbePlugin& owner_;
};

class ProbePlugin::Persist final : public Face<IPersistPropertyBag> {
public:
    using Face::Face;
    HRESULT STDMETHODCALLTYPE GetClassID(CLSID* classId) override
    {
        *classId = CLSID_VelWebPlugin;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE InitNew() override { return S_OK; }
    HRESULT STDMETHODCALLTYPE Load(IPropertyBag* bag, IErrorLog* log) override
    {
        ++owner_.loadCalls;
        if (owner_.touchesBagDuringLoad) {
            bag->AddRef();
            bag->Release();
        }
        VARIANT value;
        VariantInit(&value);
        owner_.deviceFlagRead = bag->Read(Ole(u"DeviceFlag"), &value, log);
        owner_.deviceFlagType = value.vt;
        if (value.vt == VT_I4) owner_.deviceFlag = value.lVal;
        VariantClear(&value);
        if (owner_.keepsBag && owner_.keptBag_ == nullptr) {
            bag->AddRef();
            owner_.keptBag_ = bag;
        }
        return owner_.loadResult;
    }
    HRESULT STDMETHODCALLTYPE Save(IPropertyBag*, BOOL, BOOL) override { return E_NOTIMPL; }
};

class ProbePlugin::Support final : public Face<ISupportErrorInfo> {
public:
    using Face::Face;
    HRESULT STDMETHODCALLTYPE InterfaceSupportsErrorInfo(REFIID riid) override
    {
        return owner_.supportsErrorInfoFor != nullptr && IsEqualIID(riid, *owner_.supportsErrorInfoFor) ? S_OK
                                                                                                        : S_FALSE;
    }
};

class ProbePlugin::Runnable final : public Face<IRunnableObject> {
public:
    using Face::Face;
    HRESULT STDMETHODCALLTYPE GetRunningClass(LPCLSID classId) override
    {
        *classId = CLSID_VelWebPlugin;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE Run(LPBINDCTX) override { return owner_.runResult; }
    BOOL STDMETHODCALLTYPE IsRunning() override { return TRUE; }
    HRESULT STDMETHODCALLTYPE LockRunning(BOOL, BOOL) override { return S_OK; }
    HRESULT STDMETHODCALLTYPE SetContainedObject(BOOL) override { return S_OK; }
};

// ---- The raw vtable ----

struct ProbeVtable {
    using Raw = ProbePlugin::Raw;

    template <int Slot, class... Params>
    static HRESULT STDMETHODCALLTYPE Operation(Raw* self, Params... params)
    {
        return self->owner->Answer(Slot, params...);
    }
    template <int Slot, class Interface, class... Params>
    static void* EntryFor(HRESULT (STDMETHODCALLTYPE Interface::*)(Params...))
    {
        HRESULT(STDMETHODCALLTYPE * entry)(Raw*, Params...) = &Operation<Slot, Params...>;
        return reinterpret_cast<void*>(entry);
    }
    template <class... Params>
    static HRESULT STDMETHODCALLTYPE NotImplemented(Raw*, Params...)
    {
        return E_NOTIMPL;
    }
    template <class Interface, class... Params>
    static void* NotImplementedLike(HRESULT (STDMETHODCALLTYPE Interface::*)(Params...))
    {
        HRESULT(STDMETHODCALLTYPE * entry)(Raw*, Params...) = &NotImplemented<Params...>;
        return reinterpret_cast<void*>(entry);
    }
    static HRESULT STDMETHODCALLTYPE QueryInterface(Raw* self, REFIID riid, void** object)
    {
        return self->owner->QueryInterface(riid, object);
    }
    static ULONG STDMETHODCALLTYPE AddRef(Raw* self) { return self->owner->AddRef(); }
    static ULONG STDMETHODCALLTYPE Release(Raw* self) { return self->owner->Release(); }

    void* entries[161] = {};

    ProbeVtable()
    {
        HRESULT(STDMETHODCALLTYPE * query)(Raw*, REFIID, void**) = &QueryInterface;
        ULONG(STDMETHODCALLTYPE * addRef)(Raw*) = &AddRef;
        ULONG(STDMETHODCALLTYPE * release)(Raw*) = &Release;
        entries[0] = reinterpret_cast<void*>(query);
        entries[1] = reinterpret_cast<void*>(addRef);
        entries[2] = reinterpret_cast<void*>(release);
        entries[3] = NotImplementedLike(&IDispatch::GetTypeInfoCount);
        entries[4] = NotImplementedLike(&IDispatch::GetTypeInfo);
        entries[5] = NotImplementedLike(&IDispatch::GetIDsOfNames);
        entries[6] = NotImplementedLike(&IDispatch::Invoke);
#define JVELWEB_PROBE_ENTRY(slot, name, params) entries[slot] = EntryFor<slot>(&IWebPlugin2::name);
        JVELWEB_IWEBPLUGIN_OPERATIONS(JVELWEB_PROBE_ENTRY)
        JVELWEB_IWEBPLUGIN2_OPERATIONS(JVELWEB_PROBE_ENTRY)
#undef JVELWEB_PROBE_ENTRY
    }

    static const ProbeVtable& Instance()
    {
        static const ProbeVtable table;
        return table;
    }
};

ProbePlugin::ProbePlugin()
    : raw_{ProbeVtable::Instance().entries, this},
      persist_(new Persist(*this)),
      support_(new Support(*this)),
      runnable_(new Runnable(*this))
{
}

ProbePlugin::~ProbePlugin()
{
    if (keptBag_ != nullptr) keptBag_->Release();
}

IWebPlugin2* ProbePlugin::Plugin() { return reinterpret_cast<IWebPlugin2*>(&raw_); }

HRESULT ProbePlugin::QueryInterface(REFIID riid, void** object)
{
    if (object == nullptr) return E_POINTER;
    *object = nullptr;
    if (IsEqualIID(riid, IID_IUnknown) || IsEqualIID(riid, IID_IDispatch) || IsEqualIID(riid, IID_IWebPlugin) ||
        (offersWebPlugin2 && IsEqualIID(riid, IID_IWebPlugin2)))
        *object = Plugin();
    else if (offersPersistPropertyBag && IsEqualIID(riid, IID_IPersistPropertyBag))
        *object = static_cast<IPersistPropertyBag*>(persist_.get());
    else if (offersSupportErrorInfo && IsEqualIID(riid, IID_ISupportErrorInfo))
        *object = static_cast<ISupportErrorInfo*>(support_.get());
    else if (offersRunnableObject && IsEqualIID(riid, IID_IRunnableObject))
        *object = static_cast<IRunnableObject*>(runnable_.get());
    else if (extraId != nullptr && IsEqualIID(riid, *extraId))
        *object = extraFace;
    else
        return E_NOINTERFACE;
    AddRef();
    return S_OK;
}

// ---- The factory ----

ProbeFactory::ProbeFactory()
{
    CoRegisterClassObject(CLSID_VelWebPlugin, this, CLSCTX_INPROC_SERVER, REGCLS_MULTIPLEUSE, &cookie_);
}

ProbeFactory::~ProbeFactory() { CoRevokeClassObject(cookie_); }

HRESULT STDMETHODCALLTYPE ProbeFactory::QueryInterface(REFIID riid, void** object)
{
    if (object == nullptr) return E_POINTER;
    *object = nullptr;
    if (!IsEqualIID(riid, IID_IUnknown) && !IsEqualIID(riid, IID_IClassFactory)) return E_NOINTERFACE;
    *object = static_cast<IClassFactory*>(this);
    AddRef();
    return S_OK;
}

HRESULT STDMETHODCALLTYPE ProbeFactory::CreateInstance(IUnknown* outer, REFIID riid, void** object)
{
    if (object == nullptr) return E_POINTER;
    *object = nullptr;
    if (outer != nullptr) return CLASS_E_NOAGGREGATION;
    if (FAILED(createResult)) return createResult;
    ProbePlugin* probe = nullptr;
    {
        std::lock_guard<std::mutex> lock(madeMutex_);
        made_.push_back(std::make_unique<ProbePlugin>());
        probe = made_.back().get();
    }
    if (configure != nullptr) configure(*probe);
    return probe->QueryInterface(riid, object);
}

}  // namespace jvelweb::testing
