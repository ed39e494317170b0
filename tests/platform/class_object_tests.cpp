// Apartments, registered class objects and OleRun. CoCreateInstance must find
// a registered factory, pass the caller's arguments on, and leave every
// reference count as it found it.
#include "test_support.h"

#include <thread>

namespace {

const CLSID unknownClass = {0x0BADC0DE, 0x1111, 0x4222, {0x83, 0x33, 0x44, 0x44, 0x55, 0x55, 0x66, 0x66}};
const CLSID factoryClass = {0x0FAC7021, 0x1111, 0x4222, {0x83, 0x33, 0x44, 0x44, 0x55, 0x55, 0x66, 0x66}};

HRESULT create(REFCLSID id, DWORD context, IUnknown* outer = nullptr, REFIID riid = IID_IUnknown)
{
    void* object = reinterpret_cast<void*>(1);
    const HRESULT hr = CoCreateInstance(id, outer, context, riid, &object);
    EXPECT_EQ(FAILED(hr), object == nullptr) << "a failed call must leave NULL, a good one an object";
    if (SUCCEEDED(hr)) static_cast<IUnknown*>(object)->Release();
    return hr;
}

TEST(Apartment, InitializationIsCountedPerThreadAndRequired)
{
    // A thread of its own, so the count starts at zero.
    std::thread([] {
        CoUninitialize();  // harmless before any CoInitialize
        void* object = reinterpret_cast<void*>(1);
        EXPECT_HR(CO_E_NOTINITIALIZED, create(unknownClass, CLSCTX_INPROC_SERVER));
        EXPECT_HR(CO_E_NOTINITIALIZED,
                  CoGetClassObject(unknownClass, CLSCTX_INPROC_SERVER, nullptr, IID_IUnknown, &object));
        EXPECT_EQ(nullptr, object);
        TestObject factory;
        DWORD cookie = 0;
        EXPECT_HR(CO_E_NOTINITIALIZED, CoRegisterClassObject(factoryClass, static_cast<IClassFactory*>(&factory),
                                                             CLSCTX_INPROC_SERVER, 0, &cookie));
        EXPECT_EQ(1, factory.references);

        EXPECT_HR(S_OK, CoInitialize(nullptr));
        EXPECT_HR(S_FALSE, CoInitialize(nullptr));
        std::thread([] {
            EXPECT_HR(S_OK, CoInitialize(nullptr)) << "another thread's count leaked in";
            CoUninitialize();
        }).join();
        EXPECT_HR(REGDB_E_CLASSNOTREG, create(unknownClass, CLSCTX_INPROC_SERVER));
        CoUninitialize();
        EXPECT_HR(REGDB_E_CLASSNOTREG, create(unknownClass, CLSCTX_INPROC_SERVER)) << "one call undid two";
        CoUninitialize();
        EXPECT_HR(CO_E_NOTINITIALIZED, create(unknownClass, CLSCTX_INPROC_SERVER));
        EXPECT_HR(S_OK, CoInitialize(nullptr));
        CoUninitialize();
    }).join();
}

class ClassObjects : public ::testing::Test {
protected:
    TestObject factory, product;
    DWORD cookie = 0;

    void SetUp() override
    {
        CoInitialize(nullptr);
        factory.isFactory = true;
        factory.product = static_cast<IDispatch*>(&product);
    }
    void TearDown() override { CoUninitialize(); }
};

TEST_F(ClassObjects, BadArgumentsAndUnknownClasses)
{
    EXPECT_HR(E_POINTER, CoCreateInstance(unknownClass, nullptr, CLSCTX_INPROC_SERVER, IID_IUnknown, nullptr));
    EXPECT_HR(E_INVALIDARG, CoGetClassObject(unknownClass, CLSCTX_INPROC_SERVER, nullptr, IID_IUnknown, nullptr));
    EXPECT_HR(REGDB_E_CLASSNOTREG, create(unknownClass, CLSCTX_ALL));
    EXPECT_HR(E_INVALIDARG, CoRegisterClassObject(factoryClass, static_cast<IClassFactory*>(&factory),
                                                  CLSCTX_INPROC_SERVER, 0, nullptr));
    EXPECT_HR(E_INVALIDARG, CoRevokeClassObject(0xDEAD));
}

TEST_F(ClassObjects, RegisteredFactoryServesItsContextUntilRevoked)
{
    ASSERT_HR(S_OK, CoRegisterClassObject(factoryClass, static_cast<IClassFactory*>(&factory), CLSCTX_INPROC_SERVER,
                                          REGCLS_MULTIPLEUSE, &cookie));
    EXPECT_EQ(2, factory.references) << "the registration must hold a reference";
    EXPECT_HR(S_OK, create(factoryClass, CLSCTX_INPROC_SERVER, nullptr, IID_IDispatch));
    EXPECT_EQ(1, factory.calls);
    EXPECT_EQ(2, factory.references) << "CoCreateInstance kept or dropped a factory reference";
    EXPECT_EQ(1, product.references);
    EXPECT_HR(REGDB_E_CLASSNOTREG, create(factoryClass, CLSCTX_LOCAL_SERVER)) << "registered for in-process only";

    IClassFactory* got = nullptr;
    ASSERT_HR(S_OK, CoGetClassObject(factoryClass, CLSCTX_INPROC_SERVER, nullptr, IID_IClassFactory, out(&got)));
    EXPECT_EQ(static_cast<IClassFactory*>(&factory), got);
    EXPECT_EQ(3, factory.references);
    got->Release();

    ASSERT_HR(S_OK, CoRevokeClassObject(cookie));
    EXPECT_EQ(1, factory.references) << "revoking must release the registration's reference";
    EXPECT_HR(E_INVALIDARG, CoRevokeClassObject(cookie));
    EXPECT_HR(REGDB_E_CLASSNOTREG, create(factoryClass, CLSCTX_INPROC_SERVER));
}

TEST_F(ClassObjects, FactoryArgumentsAndErrorsPassThrough)
{
    ASSERT_HR(S_OK, CoRegisterClassObject(factoryClass, static_cast<IClassFactory*>(&factory), CLSCTX_INPROC_SERVER,
                                          REGCLS_MULTIPLEUSE, &cookie));
    TestObject outer;
    factory.result = CLASS_E_NOAGGREGATION;
    EXPECT_HR(CLASS_E_NOAGGREGATION, create(factoryClass, CLSCTX_INPROC_SERVER, static_cast<IDispatch*>(&outer)));
    EXPECT_EQ(static_cast<IUnknown*>(static_cast<IDispatch*>(&outer)), factory.lastOuter);
    factory.result = S_OK;
    EXPECT_HR(E_NOINTERFACE, create(factoryClass, CLSCTX_INPROC_SERVER, nullptr, IID_IPersist));
    EXPECT_EQ(2, factory.references);
    CoRevokeClassObject(cookie);
}

TEST(OleRun, RunsRunnableObjectsAndPassesOthers)
{
    struct Case {
        bool runnable;
        HRESULT runResult, expected;
    } cases[] = {{false, E_FAIL, S_OK}, {true, S_OK, S_OK}, {true, E_OUTOFMEMORY, E_OUTOFMEMORY}};
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "runnable " << c.runnable << ", Run gives " << hex(c.runResult));
        TestObject object;
        object.isRunnable = c.runnable;
        object.result = c.runResult;
        EXPECT_HR(c.expected, OleRun(static_cast<IDispatch*>(&object)));
        EXPECT_EQ(c.runnable ? 1 : 0, object.calls);
        EXPECT_EQ(c.runnable ? nullptr : reinterpret_cast<LPBINDCTX>(1), object.lastBindContext);
        EXPECT_EQ(1, object.references) << "OleRun kept a reference";
    }
}

}  // namespace
