// The property bag under any sequence of Write, Read, QueryInterface, AddRef
// and Release, checked step by step against a plain model: names match once
// A to Z are folded to a to z and nothing else is, entries keep the order and
// the name they were first written with, the last write wins, a value the
// layer cannot copy is kept as VT_ERROR, VT_UNKNOWN is refused. Every
// reference the bag takes on an interface value is given back, and the last
// Release leaves no string behind.
#include <fuzzer/FuzzedDataProvider.h>

#include <cstdint>
#include <string>
#include <vector>

#include "bridge/property_bag.h"
#include "fuzz/fuzz_check.h"
#include "tests/support/counting_dispatch.h"

using namespace jvelweb;
using jvelweb::testing::CountingDispatch;

namespace {

// What a stored value must look like.
struct Expected {
    VARTYPE vt = VT_EMPTY;
    LONGLONG bits = 0;        // the value bits of a type that owns nothing
    bool textIsNull = false;  // VT_BSTR
    std::u16string text;      // VT_BSTR, embedded zeros included
    IDispatch* dispatch = nullptr;
    SCODE scode = 0;          // VT_ERROR
};

struct ModelEntry {
    std::u16string name;
    Expected value;
};

char16_t Fold(char16_t unit) { return unit >= u'A' && unit <= u'Z' ? unit + (u'a' - u'A') : unit; }

bool SameName(const std::u16string& a, const std::u16string& b)
{
    if (a.size() != b.size()) return false;
    for (size_t i = 0; i < a.size(); ++i)
        if (Fold(a[i]) != Fold(b[i])) return false;
    return true;
}

// The value the bag must keep for `source`: the copy the layer makes, or
// VT_ERROR with the layer's HRESULT when it makes none.
Expected ExpectedCopy(const VARIANT& source)
{
    VARIANT probe;
    VariantInit(&probe);
    const HRESULT hr = VariantCopy(&probe, &source);
    Expected e;
    if (FAILED(hr)) {
        e.vt = VT_ERROR;
        e.scode = hr;
        return e;
    }
    VariantClear(&probe);
    e.vt = source.vt;
    if (source.vt == VT_BSTR) {
        e.textIsNull = source.bstrVal == nullptr;
        if (!e.textIsNull) e.text.assign(source.bstrVal, SysStringLen(source.bstrVal));
    } else if (source.vt == VT_DISPATCH) {
        e.dispatch = source.pdispVal;
    } else if (source.vt == VT_ERROR) {
        e.scode = source.scode;
    } else {
        e.bits = source.llVal;
    }
    return e;
}

bool Matches(const VARIANT& got, const Expected& e)
{
    if (got.vt != e.vt) return false;
    switch (e.vt) {
    case VT_BSTR:
        if (e.textIsNull) return got.bstrVal == nullptr;
        return got.bstrVal != nullptr && std::u16string(got.bstrVal, SysStringLen(got.bstrVal)) == e.text;
    case VT_DISPATCH: return got.pdispVal == e.dispatch;
    case VT_ERROR: return got.scode == e.scode;
    default: return got.llVal == e.bits;
    }
}

class BagRun {
    static constexpr size_t kDispatchObjects = 2;

public:
    explicit BagRun(FuzzedDataProvider& in) : in_(in)
    {
        bag_ = new PropertyBag();
        FUZZ_CHECK(bag_->AddRef() == 1, "a new bag starts at 0 references");
        refs_ = 1;
        FUZZ_CHECK(bag_->Count() == 0 && bag_->Capacity() == 0, "a new bag has storage");
    }

    void Step()
    {
        switch (in_.ConsumeIntegralInRange<int>(0, 6)) {
        case 0:
        case 1: Write(); break;
        case 2: Read(); break;
        case 3: QueryInterface(); break;
        case 4:
            FUZZ_CHECK(bag_->AddRef() == refs_ + 1, "AddRef did not count");
            ++refs_;
            break;
        case 5:
            if (refs_ > 1) {
                FUZZ_CHECK(bag_->Release() == refs_ - 1, "Release did not count");
                --refs_;
            }
            break;
        case 6: NullArguments(); break;
        }
        CheckState();
    }

    void Finish()
    {
        while (refs_ > 1) FUZZ_CHECK(bag_->Release() == --refs_, "Release did not count");
        FUZZ_CHECK(bag_->Release() == 0, "the last Release did not bring the count to 0");
        bag_ = nullptr;
        for (const CountingDispatch& d : dispatch_) {
            FUZZ_CHECK(!d.releasedUntaken, "the bag released a reference it never took");
            FUZZ_CHECK(d.refs == 0, "a destroyed bag still holds %lu references on an IDispatch",
                       static_cast<unsigned long>(d.refs));
        }
    }

private:
    std::u16string Name()
    {
        static const char16_t* const kWhole[] = {u"DeviceFlag", u"deviceflag", u"DEVICEFLAG", u"DeviceFlags"};
        // A-Z and a-z, their neighbours, and letters whose case a full
        // folding would change: none of these may match another.
        static const char16_t kUnits[] = {u'a', u'A', u'z', u'Z', u'@', u'[', u'`', u'{', 0x00E9, 0x00C9,
                                          0x212A /* KELVIN SIGN */, u'k', 0x0130, 0x0131, 0xD83D};
        if (in_.ConsumeBool()) return kWhole[in_.ConsumeIntegralInRange<size_t>(0, 3)];
        std::u16string name(in_.ConsumeIntegralInRange<size_t>(0, 4), u'a');
        for (char16_t& unit : name) unit = kUnits[in_.ConsumeIntegralInRange<size_t>(0, std::size(kUnits) - 1)];
        return name;
    }

    // A source value; `owned` receives the BSTR the caller frees afterwards.
    VARIANT Value(BSTR& owned)
    {
        static LONG byrefTarget = 7;
        static const VARTYPE kOtherTypes[] = {VT_I2,          VT_R8,           VT_CY,       VT_DATE,
                                              VT_ERROR,       VT_DECIMAL,      VT_I8,       VT_UI1,
                                              VT_VARIANT,     VT_RECORD,       VT_SAFEARRAY, VT_LPWSTR,
                                              VT_ARRAY | VT_I4, VT_VECTOR | VT_I4, VT_BYREF | VT_I4,
                                              VT_BYREF | VT_EMPTY, VT_BYREF | VT_UNKNOWN, 0x7FFF, 0xFFFF};
        VARIANT v;
        v.vt = VT_EMPTY;
        v.wReserved1 = v.wReserved2 = v.wReserved3 = 0;
        v.record.pvRecord = v.record.pRecInfo = nullptr;
        switch (in_.ConsumeIntegralInRange<int>(0, 7)) {
        case 0: v.vt = in_.ConsumeBool() ? VT_EMPTY : VT_NULL; break;
        case 1:
            v.vt = VT_I4;
            v.lVal = in_.ConsumeIntegral<LONG>();
            break;
        case 2:
            v.vt = VT_BOOL;
            v.boolVal = in_.ConsumeBool() ? VARIANT_TRUE : VARIANT_FALSE;
            break;
        case 3: {
            // Text with embedded zeros and non-ASCII units.
            std::u16string text(in_.ConsumeIntegralInRange<size_t>(0, 12), u'\0');
            for (char16_t& unit : text) unit = in_.ConsumeBool() ? u'\0' : in_.ConsumeIntegral<char16_t>();
            v.vt = VT_BSTR;
            v.bstrVal = owned = SysAllocStringLen(text.data(), static_cast<UINT>(text.size()));
            break;
        }
        case 4:
            v.vt = VT_BSTR;
            v.bstrVal = nullptr;
            break;
        case 5: {
            v.vt = VT_DISPATCH;
            const size_t which = in_.ConsumeIntegralInRange<size_t>(0, std::size(dispatch_));
            v.pdispVal = which < std::size(dispatch_) ? &dispatch_[which] : nullptr;
            break;
        }
        case 6:
            v.vt = VT_UNKNOWN;
            v.punkVal = &dispatch_[0];
            break;
        case 7:
            v.vt = kOtherTypes[in_.ConsumeIntegralInRange<size_t>(0, std::size(kOtherTypes) - 1)];
            if (v.vt & VT_BYREF)
                v.byref = &byrefTarget;
            else
                v.llVal = in_.ConsumeIntegral<LONGLONG>();
            break;
        }
        return v;
    }

    ModelEntry* Find(const std::u16string& name)
    {
        for (ModelEntry& entry : model_)
            if (SameName(entry.name, name)) return &entry;
        return nullptr;
    }

    void Write()
    {
        const std::u16string name = Name();
        BSTR owned = nullptr;
        VARIANT value = Value(owned);
        const HRESULT hr = bag_->Write(name.c_str(), &value);
        if (value.vt == VT_UNKNOWN) {
            FUZZ_CHECK(hr == E_FAIL, "VT_UNKNOWN was not refused: 0x%08x", static_cast<unsigned>(hr));
        } else {
            FUZZ_CHECK(hr == S_OK, "Write failed: 0x%08x", static_cast<unsigned>(hr));
            const Expected stored = ExpectedCopy(value);
            if (ModelEntry* entry = Find(name))
                entry->value = stored;
            else
                model_.push_back(ModelEntry{name, stored});
        }
        SysFreeString(owned);
    }

    void Read()
    {
        const std::u16string name = Name();
        // Content a Read must overwrite without freeing or releasing it.
        VARIANT value;
        value.vt = VT_DISPATCH;
        value.pdispVal = &dispatch_[1];
        const HRESULT hr = bag_->Read(name.c_str(), &value, nullptr);
        const ModelEntry* entry = Find(name);
        if (entry == nullptr) {
            FUZZ_CHECK(hr == E_INVALIDARG && value.vt == VT_EMPTY, "a Read of a missing name gave 0x%08x, vt %u",
                       static_cast<unsigned>(hr), value.vt);
            return;
        }
        FUZZ_CHECK(hr == S_OK, "a Read of a stored name failed: 0x%08x", static_cast<unsigned>(hr));
        FUZZ_CHECK(Matches(value, entry->value), "Read gave vt %u, the model holds vt %u", value.vt,
                   entry->value.vt);
        if (value.vt == VT_BSTR && value.bstrVal != nullptr)
            FUZZ_CHECK(value.bstrVal != StoredText(name), "Read handed out the bag's own BSTR");
        FUZZ_CHECK(VariantClear(&value) == S_OK, "the copy Read made cannot be cleared");
    }

    BSTR StoredText(const std::u16string& name)
    {
        for (size_t i = 0; i < bag_->Count(); ++i)
            if (SameName(std::u16string(bag_->Entry(i).name), name)) return bag_->Entry(i).value.bstrVal;
        return nullptr;
    }

    void QueryInterface()
    {
        GUID random{};
        random.Data1 = in_.ConsumeIntegral<uint32_t>();
        const IID* const kAsked[] = {&IID_IUnknown, &IID_IPropertyBag, &IID_IDispatch, &IID_IPersistPropertyBag,
                                     &IID_IErrorLog, &GUID_NULL, &random};
        const IID& riid = *kAsked[in_.ConsumeIntegralInRange<size_t>(0, std::size(kAsked) - 1)];
        void* object = &random;  // must be overwritten either way
        const HRESULT hr = bag_->QueryInterface(riid, &object);
        if (IsEqualIID(riid, IID_IUnknown) || IsEqualIID(riid, IID_IPropertyBag)) {
            FUZZ_CHECK(hr == S_OK && object == static_cast<IPropertyBag*>(bag_), "QueryInterface refused its own face");
            ++refs_;
        } else {
            FUZZ_CHECK(hr == E_NOINTERFACE && object == nullptr, "QueryInterface answered an unknown interface");
        }
    }

    void NullArguments()
    {
        VARIANT value;
        VariantInit(&value);
        FUZZ_CHECK(bag_->QueryInterface(IID_IUnknown, nullptr) == E_POINTER, "QueryInterface into null");
        FUZZ_CHECK(bag_->Read(nullptr, &value, nullptr) == E_POINTER, "Read of a null name");
        FUZZ_CHECK(bag_->Read(u"a", nullptr, nullptr) == E_POINTER, "Read into null");
        FUZZ_CHECK(bag_->Write(nullptr, &value) == E_POINTER, "Write of a null name");
        FUZZ_CHECK(bag_->Write(u"a", nullptr) == E_POINTER, "Write of a null value");
    }

    void CheckState()
    {
        FUZZ_CHECK(bag_->Count() == model_.size(), "the bag has %zu entries, the model %zu", bag_->Count(),
                   model_.size());
        FUZZ_CHECK(bag_->Capacity() >= bag_->Count(), "more entries than storage");
        ULONG held[kDispatchObjects] = {};
        for (size_t i = 0; i < model_.size(); ++i) {
            const PropertyEntry& entry = bag_->Entry(i);
            FUZZ_CHECK(entry.name != nullptr && std::u16string(entry.name, SysStringLen(entry.name)) == model_[i].name,
                       "entry %zu lost the name it was first written with, or its place", i);
            FUZZ_CHECK(Matches(entry.value, model_[i].value), "entry %zu holds vt %u, the model vt %u", i,
                       entry.value.vt, model_[i].value.vt);
            for (size_t d = 0; d < std::size(dispatch_); ++d)
                held[d] += model_[i].value.vt == VT_DISPATCH && model_[i].value.dispatch == &dispatch_[d];
        }
        for (size_t d = 0; d < std::size(dispatch_); ++d) {
            FUZZ_CHECK(!dispatch_[d].releasedUntaken, "the bag released a reference it never took");
            FUZZ_CHECK(dispatch_[d].refs == held[d], "IDispatch %zu has %lu references, %lu expected", d,
                       static_cast<unsigned long>(dispatch_[d].refs), static_cast<unsigned long>(held[d]));
        }
    }

    FuzzedDataProvider& in_;
    PropertyBag* bag_ = nullptr;
    ULONG refs_ = 0;
    std::vector<ModelEntry> model_;
    CountingDispatch dispatch_[kDispatchObjects];
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const LONG liveStrings = JVelComLiveStrings();
    {
        FuzzedDataProvider in(data, size);
        BagRun run(in);
        for (int step = 0; step < 256 && in.remaining_bytes() > 0; ++step) run.Step();
        run.Finish();
    }
    FUZZ_CHECK(JVelComLiveStrings() == liveStrings, "%ld BSTRs left behind",
               static_cast<long>(JVelComLiveStrings() - liveStrings));
    return 0;
}
