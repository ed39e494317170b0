// VARIANT ownership: VariantClear frees what a variant owns, VariantCopy makes
// an independent copy, and unknown types are refused with nothing touched.
#include "test_support.h"

#include <cstring>

namespace {

VARIANT variant(VARTYPE type, LONGLONG bits = 0)
{
    VARIANT v;
    std::memset(&v, 0, sizeof v);
    v.vt = type;
    v.llVal = bits;
    return v;
}

VARIANT holding(VARTYPE type, void* pointer)
{
    VARIANT v = variant(type);
    v.byref = pointer;
    return v;
}

TEST(Variant, UnknownTypesAreRefusedAndNothingIsTouched)
{
    const VARTYPE badTypes[] = {15, VT_VOID, VT_HRESULT, VT_PTR, VT_LPSTR, VT_INT_PTR, 0xFFF, VT_BYREF | VT_EMPTY,
                                VT_BYREF | VT_NULL, VT_VECTOR | VT_I4, VT_RESERVED | VT_I4,
#ifndef _WIN32
                                // Windows takes these; the layer refuses them
                                // rather than half-handle arrays and records.
                                VT_VARIANT, VT_RECORD, VT_ARRAY | VT_I4,
#endif
    };
    for (VARTYPE type : badTypes) {
        SCOPED_TRACE(type);
        VARIANT bad = variant(type, 0x1122334455667788);
        EXPECT_HR(DISP_E_BADVARTYPE, VariantClear(&bad));
        EXPECT_EQ(type, bad.vt);
        EXPECT_EQ(0x1122334455667788, bad.llVal);

        BSTR owned = SysAllocString(OLESTR("keep me"));
        VARIANT destination = holding(VT_BSTR, owned);
        EXPECT_HR(DISP_E_BADVARTYPE, VariantCopy(&destination, &bad));
        EXPECT_EQ(VT_BSTR, destination.vt);
        EXPECT_TRUE(destination.bstrVal == owned && sameText(owned, u"keep me")) << "destination was changed";
        VariantClear(&destination);

        VARIANT source = variant(VT_I4, 7);
        EXPECT_HR(DISP_E_BADVARTYPE, VariantCopy(&bad, &source)) << "destination cannot be cleared";
        EXPECT_EQ(type, bad.vt);
    }
}

TEST(Variant, ValuesAndReferencesAreCopiedBitForBit)
{
    BSTR referenced = SysAllocString(OLESTR("owned elsewhere"));
    for (VARTYPE type : std::initializer_list<VARTYPE>{VT_NULL, VT_I2, VT_I4, VT_R4, VT_R8, VT_CY, VT_DATE, VT_ERROR,
                                                       VT_BOOL, VT_I1, VT_UI1, VT_UI2, VT_UI4, VT_I8, VT_UI8, VT_INT,
                                                       VT_UINT, VT_DECIMAL, VT_BYREF | VT_BSTR}) {
        SCOPED_TRACE(type);
        VARIANT source, destination = variant(VT_EMPTY);
        std::memset(&source, 0x5A, sizeof source);  // a DECIMAL fills the reserved words too
        source.vt = type;
        if (type & VT_BYREF) source.byref = &referenced;
        EXPECT_HR(S_OK, VariantCopy(&destination, &source));
        EXPECT_EQ(0, std::memcmp(&source, &destination, sizeof source));
        EXPECT_HR(S_OK, VariantClear(&destination));
        EXPECT_EQ(VT_EMPTY, destination.vt);
    }
    EXPECT_TRUE(sameText(referenced, u"owned elsewhere")) << "clearing a by-reference variant freed its target";
    SysFreeString(referenced);
}

TEST(Variant, CopyDuplicatesBstrWithEmbeddedZeros)
{
    const std::u16string content(u"a\0b", 3);
    VARIANT source = holding(VT_BSTR, SysAllocStringLen(OLESTR("a\0b"), 3));
    VARIANT destination = holding(VT_BSTR, SysAllocString(OLESTR("replaced")));
#ifndef _WIN32
    const LONG liveBefore = JVelComLiveStrings();
#endif
    ASSERT_HR(S_OK, VariantCopy(&destination, &source));
#ifndef _WIN32
    EXPECT_EQ(liveBefore, JVelComLiveStrings()) << "the destination's old string was not freed";
#endif
    EXPECT_NE(source.bstrVal, destination.bstrVal) << "the copy shares the source's string";
    VariantClear(&source);
    EXPECT_TRUE(sameText(destination.bstrVal, content)) << "length " << SysStringLen(destination.bstrVal);

    VARIANT nullSource = holding(VT_BSTR, nullptr);
    EXPECT_HR(S_OK, VariantCopy(&destination, &nullSource));
    EXPECT_EQ(VT_BSTR, destination.vt);
#ifndef _WIN32
    // Implementations differ here (Wine hands back an empty BSTR); the layer
    // keeps NULL, which every BSTR reader already treats as empty.
    EXPECT_EQ(nullptr, destination.bstrVal) << "a NULL BSTR must stay NULL";
#endif
    VariantClear(&destination);

    BSTR text = SysAllocString(OLESTR("self"));
    VARIANT self = holding(VT_BSTR, text);
    EXPECT_HR(S_OK, VariantCopy(&self, &self));
    EXPECT_TRUE(self.bstrVal == text && sameText(text, u"self")) << "self-copy touched the string";
    VariantClear(&self);
}

TEST(Variant, InterfacesAreAddRefdByCopyAndReleasedByClear)
{
    for (VARTYPE type : {VT_UNKNOWN, VT_DISPATCH}) {
        SCOPED_TRACE(type);
        TestObject copied, replaced;
        VARIANT source = holding(type, static_cast<IDispatch*>(&copied));  // borrows the test's reference
        replaced.AddRef();
        VARIANT destination = holding(VT_UNKNOWN, static_cast<IDispatch*>(&replaced));
        EXPECT_HR(S_OK, VariantCopy(&destination, &source));
        EXPECT_EQ(static_cast<IDispatch*>(&copied), destination.pdispVal);
        EXPECT_EQ(2, copied.references);
        EXPECT_EQ(1, replaced.references) << "the destination's old interface was not released";
        EXPECT_HR(S_OK, VariantCopy(&source, &source));
        EXPECT_EQ(2, copied.references) << "self-copy AddRef'd";
        EXPECT_HR(S_OK, VariantClear(&destination));
        EXPECT_EQ(1, copied.references);
        EXPECT_HR(S_OK, VariantClear(&destination));
        EXPECT_EQ(1, copied.references) << "a cleared variant released again";

        VARIANT none = holding(type, nullptr);
        EXPECT_HR(S_OK, VariantCopy(&destination, &none));
        EXPECT_HR(S_OK, VariantClear(&destination));
    }
}

}  // namespace
