// PropertyBag: names folded for A-Z only, ordered storage, deep copies of the
// values it keeps, and a final Release that frees everything.
#include <gtest/gtest.h>

#include <string>

#include "bridge/property_bag.h"
#include "tests/bridge/bridge_test_support.h"

namespace jvelweb::testing {
namespace {

VARIANT I4(LONG value)
{
    VARIANT v;
    VariantInit(&v);
    v.vt = VT_I4;
    v.lVal = value;
    return v;
}

class PropertyBagTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        liveStrings_ = LiveStrings();
        bag_ = new PropertyBag();
        bag_->AddRef();
    }
    void TearDown() override
    {
        if (bag_ != nullptr) {
            EXPECT_EQ(bag_->Release(), 0u);
        }
        EXPECT_LIVE(LiveStrings(), liveStrings_) << "the last Release left names or values behind";
    }

    HRESULT WriteI4(const char16_t* name, LONG value)
    {
        VARIANT v = I4(value);
        return bag_->Write(Ole(name), &v);
    }

    PropertyBag* bag_ = nullptr;
    LONG liveStrings_ = 0;
};

TEST_F(PropertyBagTest, ReadFindsTheNameWhateverItsCaseAndWriteReplacesInPlace)
{
    ASSERT_EQ(Hex(WriteI4(u"DeviceFlag", 5)), Hex(S_OK));
    VARIANT read = I4(-1);
    EXPECT_EQ(Hex(bag_->Read(Ole(u"deviceflag"), &read, nullptr)), Hex(S_OK));
    EXPECT_EQ(read.vt, VT_I4);
    EXPECT_EQ(read.lVal, 5);

    ASSERT_EQ(Hex(WriteI4(u"Other", 1)), Hex(S_OK));
    ASSERT_EQ(Hex(WriteI4(u"DEVICEFLAG", 7)), Hex(S_OK));
    ASSERT_EQ(bag_->Count(), 2u) << "a second entry for the same name";
    EXPECT_EQ(WideOf(bag_->Entry(0).name), u"DeviceFlag") << "the first-written name is kept";
    EXPECT_EQ(bag_->Entry(0).value.lVal, 7);
    EXPECT_EQ(Hex(bag_->Read(Ole(u"DeviceFLAG"), &read, nullptr)), Hex(S_OK));
    EXPECT_EQ(read.lVal, 7);
}

TEST_F(PropertyBagTest, OnlyAToZAreFolded)
{
    struct Row {
        const char16_t* written;
        const char16_t* read;
        bool matches;
    };
    const Row rows[] = {
        {u"AZ", u"az", true},          {u"az", u"AZ", true},          {u"\u00E9", u"\u00C9", false},
        {u"\u03C9", u"\u03A9", false}, {u"[@", u"{`", false},         {u"{`", u"[@", false},
        {u"Name", u"Name ", false},    {u"Name ", u"Name", false},    {u"Nam", u"Name", false},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(Units(row.written) + " read as " + Units(row.read));
        ASSERT_EQ(Hex(WriteI4(row.written, 3)), Hex(S_OK));
        VARIANT read;
        VariantInit(&read);
        EXPECT_EQ(Hex(bag_->Read(Ole(row.read), &read, nullptr)), Hex(row.matches ? S_OK : E_INVALIDARG));
        EXPECT_EQ(read.vt, row.matches ? VT_I4 : VT_EMPTY);
        ASSERT_EQ(Hex(WriteI4(row.read, 4)), Hex(S_OK));
        EXPECT_EQ(bag_->Count(), row.matches ? 1u : 2u) << "a write under the other name";
        bag_->Release();
        bag_ = new PropertyBag();
        bag_->AddRef();
    }
}

TEST_F(PropertyBagTest, RefusesNullArgumentsAndUnknownValuesAndMissesOnEmpty)
{
    VARIANT read = I4(42);
    EXPECT_EQ(Hex(bag_->Read(Ole(u"DeviceFlag"), &read, nullptr)), Hex(E_INVALIDARG));
    EXPECT_EQ(read.vt, VT_EMPTY);

    VARIANT value = I4(1);
    EXPECT_EQ(Hex(bag_->Write(nullptr, &value)), Hex(E_POINTER));
    EXPECT_EQ(Hex(bag_->Write(Ole(u"x"), nullptr)), Hex(E_POINTER));
    EXPECT_EQ(Hex(bag_->Read(nullptr, &read, nullptr)), Hex(E_POINTER));
    EXPECT_EQ(Hex(bag_->Read(Ole(u"x"), nullptr, nullptr)), Hex(E_POINTER));

    CountingDispatch object;
    VARIANT unknown;
    unknown.vt = VT_UNKNOWN;
    unknown.punkVal = &object;
    EXPECT_EQ(Hex(bag_->Write(Ole(u"x"), &unknown)), Hex(E_FAIL));
    ASSERT_EQ(Hex(WriteI4(u"x", 1)), Hex(S_OK));
    EXPECT_EQ(Hex(bag_->Write(Ole(u"X"), &unknown)), Hex(E_FAIL));
    EXPECT_EQ(bag_->Count(), 1u);
    EXPECT_EQ(bag_->Entry(0).value.vt, VT_I4) << "a refused value replaced the stored one";
    EXPECT_EQ(object.refs, 0u);
}

TEST_F(PropertyBagTest, KeepsItsOwnCopiesOfDispatchAndTextValues)
{
    CountingDispatch object;
    VARIANT dispatch;
    dispatch.vt = VT_DISPATCH;
    dispatch.pdispVal = &object;
    ASSERT_EQ(Hex(bag_->Write(Ole(u"Object"), &dispatch)), Hex(S_OK));
    EXPECT_EQ(object.refs, 1u) << "the stored dispatch holds no reference";

    const std::u16string text(u"t\0\u00E9xt", 5);
    VARIANT bstr;
    bstr.vt = VT_BSTR;
    bstr.bstrVal = NewBstr(text);
    ASSERT_EQ(Hex(bag_->Write(Ole(u"Text"), &bstr)), Hex(S_OK));
    EXPECT_NE(bag_->Entry(1).value.bstrVal, bstr.bstrVal) << "the caller's BSTR was stored, not copied";
    VariantClear(&bstr);

    VARIANT read;
    VariantInit(&read);
    ASSERT_EQ(Hex(bag_->Read(Ole(u"text"), &read, nullptr)), Hex(S_OK));
    ASSERT_EQ(read.vt, VT_BSTR);
    EXPECT_EQ(WideOf(read.bstrVal), text);
    VariantClear(&read);

    bag_->Release();
    bag_ = nullptr;
    EXPECT_EQ(object.refs, 0u) << "the stored dispatch was not released with the bag";
}

TEST_F(PropertyBagTest, AnswersOnlyIUnknownAndIPropertyBag)
{
    struct Row {
        const IID* iid;
        HRESULT hr;
    };
    const Row rows[] = {{&IID_IUnknown, S_OK}, {&IID_IPropertyBag, S_OK}, {&IID_IPersistPropertyBag, E_NOINTERFACE},
                        {&IID_IDispatch, E_NOINTERFACE}};
    for (const Row& row : rows) {
        void* object = reinterpret_cast<void*>(1);
        EXPECT_EQ(Hex(bag_->QueryInterface(*row.iid, &object)), Hex(row.hr));
        if (row.hr == S_OK) {
            EXPECT_EQ(object, static_cast<IPropertyBag*>(bag_));
            EXPECT_EQ(bag_->AddRef(), 3u) << "QueryInterface did not add exactly one reference";
            bag_->Release();
            bag_->Release();
        } else {
            EXPECT_EQ(object, nullptr);
        }
    }
    EXPECT_EQ(Hex(bag_->QueryInterface(IID_IUnknown, nullptr)), Hex(E_POINTER));
}

TEST_F(PropertyBagTest, AppendsKeepOrderAndGrowByDoubling)
{
    const char16_t* names[] = {u"one", u"two", u"three", u"four", u"five"};
    const size_t capacities[] = {1, 2, 4, 4, 8};
    for (LONG i = 0; i < 5; ++i) {
        VARIANT text;
        text.vt = VT_BSTR;
        text.bstrVal = SysAllocString(Ole(names[i]));
        ASSERT_EQ(Hex(bag_->Write(Ole(names[i]), &text)), Hex(S_OK));
        VariantClear(&text);
        EXPECT_EQ(bag_->Capacity(), capacities[i]) << "after " << i + 1 << " appends";
    }
    ASSERT_EQ(bag_->Count(), 5u);
    for (size_t i = 0; i < 5; ++i) {
        EXPECT_EQ(WideOf(bag_->Entry(i).name), names[i]);
        EXPECT_EQ(WideOf(bag_->Entry(i).value.bstrVal), names[i]);
    }
    EXPECT_LIVE(LiveStrings(), liveStrings_ + 10);  // freed by the last Release (TearDown)
}

TEST_F(PropertyBagTest, StoresAValueItCannotCopyAsBadVarType)
{
    VARIANT bad;
    VariantInit(&bad);
    bad.vt = VARTYPE(0x0FFF);
    EXPECT_EQ(Hex(bag_->Write(Ole(u"Bad"), &bad)), Hex(S_OK));
    ASSERT_EQ(Hex(WriteI4(u"Replaced", 1)), Hex(S_OK));
    EXPECT_EQ(Hex(bag_->Write(Ole(u"replaced"), &bad)), Hex(S_OK));
    for (size_t i = 0; i < 2; ++i) {
        ASSERT_EQ(bag_->Entry(i).value.vt, VT_ERROR) << "entry " << i;
        EXPECT_EQ(Hex(bag_->Entry(i).value.scode), Hex(DISP_E_BADVARTYPE)) << "entry " << i;
    }
    VARIANT read;
    VariantInit(&read);
    EXPECT_EQ(Hex(bag_->Read(Ole(u"BAD"), &read, nullptr)), Hex(S_OK));
    EXPECT_EQ(read.vt, VT_ERROR);
}

}  // namespace
}  // namespace jvelweb::testing
