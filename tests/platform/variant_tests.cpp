// VARIANT ownership: VariantClear frees what the variant owns, VariantCopy
// makes an independent copy, and unknown types are refused without touching
// either variant.
#include "test_support.h"

#include <cstring>

namespace {

VARIANT bstrVariant(BSTR text)
{
    VARIANT v;
    VariantInit(&v);
    v.vt = VT_BSTR;
    v.bstrVal = text;
    return v;
}

VARIANT interfaceVariant(VARTYPE type, IDispatch* object)
{
    VARIANT v;
    VariantInit(&v);
    v.vt = type;
    v.pdispVal = object;
    return v;
}

TEST(Variant, InitSetsEmptyAndLeavesTheValueBits)
{
    VARIANT v;
    v.vt = VT_I4;
    v.lVal = 1234;
    VariantInit(&v);
    EXPECT_EQ(VT_EMPTY, v.vt);
    EXPECT_EQ(1234, v.lVal);
}

TEST(Variant, ClearReleasesInterfacesOnceAndToleratesNull)
{
    for (VARTYPE type : {VT_UNKNOWN, VT_DISPATCH}) {
        SCOPED_TRACE(type);
        CountingDispatch object;
        object.AddRef();  // the variant's reference
        VARIANT v = interfaceVariant(type, &object);
        EXPECT_HR(S_OK, VariantClear(&v));
        EXPECT_EQ(VT_EMPTY, v.vt);
        EXPECT_EQ(1, object.references);
        EXPECT_HR(S_OK, VariantClear(&v)) << "clearing an empty variant again";
        EXPECT_EQ(1, object.references);

        VARIANT none = interfaceVariant(type, nullptr);
        EXPECT_HR(S_OK, VariantClear(&none));
        EXPECT_EQ(VT_EMPTY, none.vt);
    }
}

// Types Windows refuses too; both functions must leave everything untouched.
const VARTYPE badTypes[] = {15,
                            VT_VOID,
                            VT_HRESULT,
                            VT_PTR,
                            VT_LPSTR,
                            VT_INT_PTR,
                            0xFFF,
                            VT_BYREF | VT_EMPTY,
                            VT_BYREF | VT_NULL,
                            VT_VECTOR | VT_I4,
                            VT_RESERVED | VT_I4,
#ifndef _WIN32
                            // Windows handles these; this layer refuses them
                            // rather than half-handle arrays and records.
                            VT_VARIANT,
                            VT_RECORD,
                            VT_ARRAY | VT_I4,
#endif
};

TEST(Variant, UnknownTypesAreRefusedAndNothingIsTouched)
{
    for (VARTYPE type : badTypes) {
        SCOPED_TRACE(type);
        VARIANT bad;
        VariantInit(&bad);
        bad.vt = type;
        bad.llVal = 0x1122334455667788;
        EXPECT_HR(DISP_E_BADVARTYPE, VariantClear(&bad));
        EXPECT_EQ(type, bad.vt);
        EXPECT_EQ(0x1122334455667788, bad.llVal);

        BSTR owned = SysAllocString(OLESTR("keep me"));
        VARIANT destination = bstrVariant(owned);
        EXPECT_HR(DISP_E_BADVARTYPE, VariantCopy(&destination, &bad));
        EXPECT_EQ(VT_BSTR, destination.vt);
        EXPECT_EQ(owned, destination.bstrVal);
        EXPECT_TRUE(sameText(destination.bstrVal, u"keep me")) << "destination was freed";
        VariantClear(&destination);

        VARIANT source;
        VariantInit(&source);
        source.vt = VT_I4;
        source.lVal = 7;
        EXPECT_HR(DISP_E_BADVARTYPE, VariantCopy(&bad, &source)) << "a destination that cannot be cleared";
        EXPECT_EQ(type, bad.vt);
    }
}

TEST(Variant, CopyOfValueTypesCopiesTheBits)
{
    for (VARTYPE type : {VT_NULL, VT_I2, VT_I4, VT_R4, VT_R8, VT_CY, VT_DATE, VT_ERROR, VT_BOOL, VT_I1, VT_UI1,
                         VT_UI2, VT_UI4, VT_I8, VT_UI8, VT_INT, VT_UINT}) {
        SCOPED_TRACE(type);
        VARIANT source, destination;
        VariantInit(&source);
        VariantInit(&destination);
        source.vt = type;
        source.llVal = 0x0102030405060708;
        EXPECT_HR(S_OK, VariantCopy(&destination, &source));
        EXPECT_EQ(type, destination.vt);
        EXPECT_EQ(source.llVal, destination.llVal);
    }
}

TEST(Variant, ByReferenceCopiesThePointerAndClearOwnsNothing)
{
    BSTR referenced = SysAllocString(OLESTR("owned elsewhere"));
    VARIANT source, destination;
    VariantInit(&source);
    VariantInit(&destination);
    source.vt = VT_BYREF | VT_BSTR;
    source.byref = &referenced;
    EXPECT_HR(S_OK, VariantCopy(&destination, &source));
    EXPECT_EQ(VT_BYREF | VT_BSTR, destination.vt);
    EXPECT_EQ(&referenced, destination.byref);
    EXPECT_HR(S_OK, VariantClear(&destination));
    EXPECT_HR(S_OK, VariantClear(&source));
    EXPECT_TRUE(sameText(referenced, u"owned elsewhere")) << "clearing a by-reference variant freed its target";
    SysFreeString(referenced);
}

TEST(Variant, CopyOfDecimalKeepsTheWholeValue)
{
    // A DECIMAL overlays the reserved words too, so they must be copied.
    VARIANT source, destination;
    std::memset(&source, 0x5A, sizeof source);
    source.vt = VT_DECIMAL;
    VariantInit(&destination);
    EXPECT_HR(S_OK, VariantCopy(&destination, &source));
    EXPECT_EQ(0, std::memcmp(&source, &destination, sizeof source));
}

TEST(Variant, CopyDuplicatesBstrWithEmbeddedZeros)
{
    const std::u16string content(u"a\0b", 3);
    VARIANT source = bstrVariant(SysAllocStringLen(OLESTR("a\0b"), 3));
    VARIANT destination;
    VariantInit(&destination);
    ASSERT_HR(S_OK, VariantCopy(&destination, &source));
    EXPECT_EQ(VT_BSTR, destination.vt);
    EXPECT_NE(source.bstrVal, destination.bstrVal) << "copy shares the source's string";
    EXPECT_TRUE(sameText(destination.bstrVal, content)) << "length " << SysStringLen(destination.bstrVal);
    VariantClear(&source);
    EXPECT_TRUE(sameText(destination.bstrVal, content));
    VariantClear(&destination);

    VARIANT nullSource = bstrVariant(nullptr);
    EXPECT_HR(S_OK, VariantCopy(&destination, &nullSource));
    EXPECT_EQ(VT_BSTR, destination.vt);
    EXPECT_EQ(nullptr, destination.bstrVal) << "a NULL BSTR must stay NULL";
}

TEST(Variant, CopyAddRefsInterfacesAndClearsTheDestinationFirst)
{
    for (VARTYPE type : {VT_UNKNOWN, VT_DISPATCH}) {
        SCOPED_TRACE(type);
        CountingDispatch copied, replaced;
        VARIANT source = interfaceVariant(type, &copied);  // borrows the test's reference
        replaced.AddRef();
        VARIANT destination = interfaceVariant(VT_UNKNOWN, &replaced);
        EXPECT_HR(S_OK, VariantCopy(&destination, &source));
        EXPECT_EQ(type, destination.vt);
        EXPECT_EQ(&copied, static_cast<IUnknown*>(destination.pdispVal));
        EXPECT_EQ(2, copied.references);
        EXPECT_EQ(1, replaced.references) << "the destination's old interface was not released";
        EXPECT_HR(S_OK, VariantClear(&destination));
        EXPECT_EQ(1, copied.references);

        VARIANT nullSource = interfaceVariant(type, nullptr);
        EXPECT_HR(S_OK, VariantCopy(&destination, &nullSource));
        EXPECT_EQ(nullptr, destination.punkVal);
    }
}

TEST(Variant, CopyOntoItselfChangesNothing)
{
    CountingDispatch object;
    VARIANT v = interfaceVariant(VT_DISPATCH, &object);
    EXPECT_HR(S_OK, VariantCopy(&v, &v));
    EXPECT_EQ(1, object.references);

    BSTR text = SysAllocString(OLESTR("same"));
    VARIANT s = bstrVariant(text);
    EXPECT_HR(S_OK, VariantCopy(&s, &s));
    EXPECT_EQ(text, s.bstrVal);
    EXPECT_TRUE(sameText(s.bstrVal, u"same")) << "self-copy freed the string";
    VariantClear(&s);
}

#ifndef _WIN32
TEST(Variant, CopyAndClearLeakNoStrings)
{
    const LONG baseline = JVelComLiveStrings();
    VARIANT source = bstrVariant(SysAllocString(OLESTR("one")));
    VARIANT destination = bstrVariant(SysAllocString(OLESTR("two")));
    EXPECT_HR(S_OK, VariantCopy(&destination, &source));
    EXPECT_EQ(baseline + 2, JVelComLiveStrings()) << "the destination's old string was not freed";
    VariantClear(&source);
    VariantClear(&destination);
    EXPECT_EQ(baseline, JVelComLiveStrings());
}
#endif

}  // namespace
