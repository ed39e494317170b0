// Error objects and the per-thread error slot: SetErrorInfo keeps a reference,
// GetErrorInfo hands that reference over and empties the slot, and no thread
// sees another's error.
#include "test_support.h"

#include <thread>

namespace {

IErrorInfo* takeErrorInfo(HRESULT expected)
{
    IErrorInfo* info = reinterpret_cast<IErrorInfo*>(1);
    EXPECT_HR(expected, GetErrorInfo(0, &info));
    return info;
}

TEST(ErrorInfo, CreatedObjectHoldsCopiesAndHandsOutNewStrings)
{
    ICreateErrorInfo* creator = nullptr;
    ASSERT_HR(S_OK, CreateErrorInfo(&creator));
    IErrorInfo* info = nullptr;
    ASSERT_HR(S_OK, creator->QueryInterface(IID_IErrorInfo, out(&info)));
    IUnknown *fromCreator = nullptr, *fromInfo = nullptr;
    creator->QueryInterface(IID_IUnknown, out(&fromCreator));
    info->QueryInterface(IID_IUnknown, out(&fromInfo));
    EXPECT_TRUE(fromCreator != nullptr && fromCreator == fromInfo) << "IUnknown differs between interfaces";
    fromCreator->Release();
    fromInfo->Release();

    BSTR text = reinterpret_cast<BSTR>(1);
    EXPECT_HR(S_OK, info->GetDescription(&text));
    EXPECT_EQ(nullptr, text) << "an unset field must read as NULL";
    OLECHAR source[] = OLESTR("JVelWeb.Source");
    EXPECT_HR(S_OK, creator->SetSource(source));
    source[0] = u'X';  // the object must keep its own copy
    EXPECT_HR(S_OK, creator->SetGUID(IID_IDispatch));
    EXPECT_HR(S_OK, creator->SetHelpContext(42));
    BSTR first = nullptr, second = nullptr;
    EXPECT_HR(S_OK, info->GetSource(&first));
    EXPECT_HR(S_OK, info->GetSource(&second));
    EXPECT_TRUE(sameText(first, u"JVelWeb.Source"));
    EXPECT_NE(first, second) << "each call must hand out a string the caller frees";
    SysFreeString(first);
    SysFreeString(second);
    GUID guid = GUID_NULL;
    DWORD context = 0;
    EXPECT_TRUE(SUCCEEDED(info->GetGUID(&guid)) && guid == IID_IDispatch);
    EXPECT_TRUE(SUCCEEDED(info->GetHelpContext(&context)) && context == 42);
    EXPECT_HR(S_OK, creator->SetSource(nullptr));
    EXPECT_HR(S_OK, info->GetSource(&text));
    EXPECT_EQ(nullptr, text) << "SetSource(NULL) must clear the field";
    info->Release();
    EXPECT_EQ(0u, creator->Release()) << "references left after the last Release";
}

TEST(ErrorInfo, SlotKeepsOneReferenceAndGetHandsItOver)
{
    TestObject info, replacement;
    EXPECT_HR(E_INVALIDARG, GetErrorInfo(0, nullptr));
    EXPECT_HR(E_INVALIDARG, SetErrorInfo(1, &info));
    EXPECT_HR(E_INVALIDARG, CreateErrorInfo(nullptr));
    ASSERT_HR(S_OK, SetErrorInfo(0, &info));
    EXPECT_EQ(2, info.references);
    ASSERT_HR(S_OK, SetErrorInfo(0, &replacement));
    EXPECT_EQ(1, info.references) << "the replaced object was not released";

    EXPECT_EQ(static_cast<IErrorInfo*>(&replacement), takeErrorInfo(S_OK));
    EXPECT_EQ(2, replacement.references) << "GetErrorInfo must hand over the slot's reference, not add one";
    replacement.Release();
    EXPECT_EQ(nullptr, takeErrorInfo(S_FALSE)) << "the slot was not emptied";

    ASSERT_HR(S_OK, SetErrorInfo(0, &info));
    ASSERT_HR(S_OK, SetErrorInfo(0, nullptr));
    EXPECT_EQ(1, info.references) << "SetErrorInfo(0, NULL) must release the object";
}

TEST(ErrorInfo, EachThreadHasItsOwnSlot)
{
    TestObject mine, theirs;
    ASSERT_HR(S_OK, SetErrorInfo(0, &mine));
    std::thread([&] {
        EXPECT_EQ(nullptr, takeErrorInfo(S_FALSE)) << "another thread's error is visible";
        SetErrorInfo(0, &theirs);
        EXPECT_EQ(static_cast<IErrorInfo*>(&theirs), takeErrorInfo(S_OK));
        theirs.Release();
    }).join();
    EXPECT_EQ(static_cast<IErrorInfo*>(&mine), takeErrorInfo(S_OK));
    mine.Release();
}

#ifndef _WIN32
TEST(ErrorInfo, ThreadExitReleasesAnUncollectedError)
{
    const LONG baseline = JVelComLiveErrorObjects();
    TestObject left;
    std::thread([&] { SetErrorInfo(0, &left); }).join();
    EXPECT_EQ(1, left.references) << "the ended thread's slot kept its reference";

    std::thread([baseline] {
        ICreateErrorInfo* created = nullptr;
        IErrorInfo* info = nullptr;
        CreateErrorInfo(&created);
        created->QueryInterface(IID_IErrorInfo, out(&info));
        SetErrorInfo(0, info);
        info->Release();
        created->Release();
        EXPECT_EQ(baseline + 1, JVelComLiveErrorObjects());
    }).join();
    EXPECT_EQ(baseline, JVelComLiveErrorObjects());
}
#endif

}  // namespace
