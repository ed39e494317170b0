// Error objects and the per-thread error slot: SetErrorInfo keeps a reference,
// GetErrorInfo hands that reference over and empties the slot, and one thread
// never sees another's error.
#include "test_support.h"

#include <thread>

namespace {

// An IErrorInfo that only counts references, to see exactly what the slot
// AddRefs and Releases.
class CountingErrorInfo : public IErrorInfo {
public:
    std::atomic<LONG> references{1};

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** object) override
    {
        if (riid == IID_IUnknown || riid == IID_IErrorInfo) {
            *object = static_cast<IErrorInfo*>(this);
            AddRef();
            return S_OK;
        }
        *object = nullptr;
        return E_NOINTERFACE;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return ULONG(++references); }
    ULONG STDMETHODCALLTYPE Release() override { return ULONG(--references); }
    HRESULT STDMETHODCALLTYPE GetGUID(GUID*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE GetSource(BSTR*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE GetDescription(BSTR*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE GetHelpFile(BSTR*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE GetHelpContext(DWORD*) override { return E_NOTIMPL; }
};

IErrorInfo* takeErrorInfo(HRESULT expected)
{
    IErrorInfo* info = reinterpret_cast<IErrorInfo*>(1);
    EXPECT_HR(expected, GetErrorInfo(0, &info));
    return info;
}

TEST(ErrorInfo, CreatedObjectAnswersForBothInterfacesWithOneIdentity)
{
    ICreateErrorInfo* creator = nullptr;
    ASSERT_HR(S_OK, CreateErrorInfo(&creator));
    IErrorInfo* info = nullptr;
    ASSERT_HR(S_OK, creator->QueryInterface(IID_IErrorInfo, reinterpret_cast<void**>(&info)));
    IUnknown *fromCreator = nullptr, *fromInfo = nullptr;
    creator->QueryInterface(IID_IUnknown, reinterpret_cast<void**>(&fromCreator));
    info->QueryInterface(IID_IUnknown, reinterpret_cast<void**>(&fromInfo));
    EXPECT_NE(nullptr, fromCreator);
    EXPECT_EQ(fromCreator, fromInfo) << "IUnknown differs between the two interfaces";
    ICreateErrorInfo* back = nullptr;
    EXPECT_HR(S_OK, info->QueryInterface(IID_ICreateErrorInfo, reinterpret_cast<void**>(&back)));
    EXPECT_EQ(creator, back);
    void* other = reinterpret_cast<void*>(1);
    EXPECT_HR(E_NOINTERFACE, info->QueryInterface(IID_IDispatch, &other));
    EXPECT_EQ(nullptr, other);
    for (IUnknown* held : {static_cast<IUnknown*>(back), fromCreator, fromInfo, static_cast<IUnknown*>(info)})
        held->Release();
    EXPECT_EQ(0u, creator->Release()) << "references left over after the last Release";
}

TEST(ErrorInfo, FieldsAreCopiedInAndHandedOutAsNewStrings)
{
    ICreateErrorInfo* creator = nullptr;
    ASSERT_HR(S_OK, CreateErrorInfo(&creator));
    IErrorInfo* info = nullptr;
    creator->QueryInterface(IID_IErrorInfo, reinterpret_cast<void**>(&info));

    BSTR text = reinterpret_cast<BSTR>(1);
    EXPECT_HR(S_OK, info->GetDescription(&text));
    EXPECT_EQ(nullptr, text) << "an unset field must read as NULL";
    GUID guid = IID_IUnknown;
    EXPECT_HR(S_OK, info->GetGUID(&guid));
    EXPECT_TRUE(guid == GUID_NULL);

    OLECHAR source[] = OLESTR("JVelWeb.Source");
    EXPECT_HR(S_OK, creator->SetSource(source));
    source[0] = u'X';  // the object must hold its own copy
    EXPECT_HR(S_OK, creator->SetDescription(const_cast<LPOLESTR>(OLESTR("it failed"))));
    EXPECT_HR(S_OK, creator->SetGUID(IID_IDispatch));
    EXPECT_HR(S_OK, creator->SetHelpContext(42));

    BSTR first = nullptr, second = nullptr;
    EXPECT_HR(S_OK, info->GetSource(&first));
    EXPECT_HR(S_OK, info->GetSource(&second));
    EXPECT_TRUE(sameText(first, u"JVelWeb.Source"));
    EXPECT_NE(first, second) << "each call must hand out a string the caller frees";
    SysFreeString(first);
    SysFreeString(second);
    EXPECT_HR(S_OK, info->GetDescription(&text));
    EXPECT_TRUE(sameText(text, u"it failed"));
    SysFreeString(text);
    EXPECT_HR(S_OK, info->GetGUID(&guid));
    EXPECT_TRUE(guid == IID_IDispatch);
    DWORD context = 0;
    EXPECT_HR(S_OK, info->GetHelpContext(&context));
    EXPECT_EQ(42u, context);

    EXPECT_HR(S_OK, creator->SetSource(nullptr));
    EXPECT_HR(S_OK, info->GetSource(&text));
    EXPECT_EQ(nullptr, text) << "SetSource(NULL) must clear the field";
    info->Release();
    creator->Release();
}

TEST(ErrorInfo, SlotKeepsOneReferenceAndGetHandsItOver)
{
    CountingErrorInfo info, replacement;
    ASSERT_HR(S_OK, SetErrorInfo(0, &info));
    EXPECT_EQ(2, info.references);
    ASSERT_HR(S_OK, SetErrorInfo(0, &replacement));
    EXPECT_EQ(1, info.references) << "the replaced object was not released";
    EXPECT_EQ(2, replacement.references);

    EXPECT_EQ(&replacement, takeErrorInfo(S_OK));
    EXPECT_EQ(2, replacement.references) << "GetErrorInfo must hand over the slot's reference, not add one";
    replacement.Release();
    EXPECT_EQ(nullptr, takeErrorInfo(S_FALSE)) << "the slot was not emptied";

    ASSERT_HR(S_OK, SetErrorInfo(0, &info));
    ASSERT_HR(S_OK, SetErrorInfo(0, nullptr));
    EXPECT_EQ(1, info.references) << "SetErrorInfo(0, NULL) must release the object";
    EXPECT_EQ(nullptr, takeErrorInfo(S_FALSE));
}

TEST(ErrorInfo, BadArgumentsAreRefused)
{
    CountingErrorInfo info;
    EXPECT_HR(E_INVALIDARG, GetErrorInfo(0, nullptr));
    EXPECT_HR(E_INVALIDARG, SetErrorInfo(1, &info));
    EXPECT_EQ(1, info.references);
    EXPECT_HR(E_INVALIDARG, CreateErrorInfo(nullptr));
}

TEST(ErrorInfo, EachThreadHasItsOwnSlot)
{
    CountingErrorInfo mine, theirs;
    ASSERT_HR(S_OK, SetErrorInfo(0, &mine));
    std::thread([&] {
        EXPECT_EQ(nullptr, takeErrorInfo(S_FALSE)) << "another thread's error is visible";
        EXPECT_HR(S_OK, SetErrorInfo(0, &theirs));
        IErrorInfo* taken = takeErrorInfo(S_OK);
        EXPECT_EQ(&theirs, taken);
        if (taken) taken->Release();
    }).join();
    EXPECT_EQ(&mine, takeErrorInfo(S_OK));
    mine.Release();
    EXPECT_EQ(1, theirs.references);
}

#ifndef _WIN32
TEST(ErrorInfo, ThreadExitReleasesAnUncollectedError)
{
    const LONG baseline = JVelComLiveErrorObjects();
    CountingErrorInfo info;
    std::thread([&] {
        SetErrorInfo(0, &info);
        ICreateErrorInfo* created = nullptr;
        CreateErrorInfo(&created);
        EXPECT_EQ(baseline + 1, JVelComLiveErrorObjects());
        created->Release();
    }).join();
    EXPECT_EQ(1, info.references) << "the exiting thread's slot kept its reference";
    EXPECT_EQ(baseline, JVelComLiveErrorObjects());

    // A created object left in the slot goes with the thread as well.
    std::thread([] {
        ICreateErrorInfo* created = nullptr;
        CreateErrorInfo(&created);
        IErrorInfo* asInfo = nullptr;
        created->QueryInterface(IID_IErrorInfo, reinterpret_cast<void**>(&asInfo));
        SetErrorInfo(0, asInfo);
        asInfo->Release();
        created->Release();
    }).join();
    EXPECT_EQ(baseline, JVelComLiveErrorObjects());
}
#endif

}  // namespace
