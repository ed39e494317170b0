// Apartments, registered class objects and OleRun. CoCreateInstance must find
// a registered factory, call it with the caller's arguments, and leave every
// reference count as it found it.
#include "test_support.h"

#include <thread>

namespace {

const CLSID unknownClass = {0x0BADC0DE, 0x1111, 0x4222, {0x83, 0x33, 0x44, 0x44, 0x55, 0x55, 0x66, 0x66}};
const CLSID factoryClass = {0x0FAC7021, 0x1111, 0x4222, {0x83, 0x33, 0x44, 0x44, 0x55, 0x55, 0x66, 0x66}};

// A class factory that records how it was called and hands out `product`.
class CountingFactory : public IClassFactory {
public:
    std::atomic<LONG> references{1};
    int createCalls = 0;
    IUnknown* lastOuter = nullptr;
    HRESULT result = S_OK;
    CountingDispatch product;

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** object) override
    {
        if (riid == IID_IUnknown || riid == IID_IClassFactory) {
            *object = static_cast<IClassFactory*>(this);
            AddRef();
            return S_OK;
        }
        *object = nullptr;
        return E_NOINTERFACE;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return ULONG(++references); }
    ULONG STDMETHODCALLTYPE Release() override { return ULONG(--references); }
    HRESULT STDMETHODCALLTYPE CreateInstance(IUnknown* outer, REFIID riid, void** object) override
    {
        ++createCalls;
        lastOuter = outer;
        if (FAILED(result)) return result;
        return product.QueryInterface(riid, object);
    }
    HRESULT STDMETHODCALLTYPE LockServer(BOOL) override { return S_OK; }
};

// Runs body on a thread of its own, so the apartment state starts clean.
template <typename Body>
void onFreshThread(Body body)
{
    std::thread(body).join();
}

TEST(Apartment, InitializeCountsPerThread)
{
    onFreshThread([] {
        CoUninitialize();  // harmless on a thread that never initialised
        EXPECT_HR(S_OK, CoInitialize(nullptr));
        EXPECT_HR(S_FALSE, CoInitialize(nullptr));
        onFreshThread([] { EXPECT_HR(S_OK, CoInitialize(nullptr)) << "another thread's count leaked in"; CoUninitialize(); });
        CoUninitialize();
        EXPECT_HR(S_FALSE, CoInitialize(nullptr)) << "one CoUninitialize undid two CoInitialize calls";
        CoUninitialize();
        CoUninitialize();
        EXPECT_HR(S_OK, CoInitialize(nullptr));
        CoUninitialize();
    });
}

TEST(Apartment, CreationNeedsAnInitializedThread)
{
    onFreshThread([] {
        void* object = reinterpret_cast<void*>(1);
        EXPECT_HR(CO_E_NOTINITIALIZED, CoCreateInstance(unknownClass, nullptr, CLSCTX_INPROC_SERVER, IID_IUnknown, &object));
        EXPECT_EQ(nullptr, object);
        object = reinterpret_cast<void*>(1);
        EXPECT_HR(CO_E_NOTINITIALIZED,
                  CoGetClassObject(unknownClass, CLSCTX_INPROC_SERVER, nullptr, IID_IClassFactory, &object));
        EXPECT_EQ(nullptr, object);
        CountingFactory factory;
        DWORD cookie = 1;
        EXPECT_HR(CO_E_NOTINITIALIZED, CoRegisterClassObject(factoryClass, &factory, CLSCTX_INPROC_SERVER,
                                                             REGCLS_MULTIPLEUSE, &cookie));
        EXPECT_EQ(1, factory.references);

        CoInitialize(nullptr);
        CoUninitialize();
        EXPECT_HR(CO_E_NOTINITIALIZED, CoCreateInstance(unknownClass, nullptr, CLSCTX_INPROC_SERVER, IID_IUnknown, &object))
            << "still usable after the last CoUninitialize";
    });
}

class ClassObjects : public ::testing::Test {
protected:
    void SetUp() override { CoInitialize(nullptr); }
    void TearDown() override { CoUninitialize(); }
};

TEST_F(ClassObjects, NullOutPointersAndUnknownClasses)
{
    EXPECT_HR(E_POINTER, CoCreateInstance(unknownClass, nullptr, CLSCTX_INPROC_SERVER, IID_IUnknown, nullptr));
    EXPECT_HR(E_INVALIDARG, CoGetClassObject(unknownClass, CLSCTX_INPROC_SERVER, nullptr, IID_IUnknown, nullptr));
    void* object = reinterpret_cast<void*>(1);
    EXPECT_HR(REGDB_E_CLASSNOTREG, CoCreateInstance(unknownClass, nullptr, CLSCTX_ALL, IID_IUnknown, &object));
    EXPECT_EQ(nullptr, object);
    CountingFactory factory;
    EXPECT_HR(E_INVALIDARG, CoRegisterClassObject(factoryClass, &factory, CLSCTX_INPROC_SERVER, 0, nullptr));
    EXPECT_HR(CO_E_OBJNOTREG, CoRevokeClassObject(0xDEAD));
}

TEST_F(ClassObjects, RegisteredFactoryServesUntilRevoked)
{
    CountingFactory factory;
    DWORD cookie = 0;
    ASSERT_HR(S_OK, CoRegisterClassObject(factoryClass, &factory, CLSCTX_INPROC_SERVER, REGCLS_MULTIPLEUSE, &cookie));
    EXPECT_NE(0u, cookie);
    EXPECT_EQ(2, factory.references) << "registration must hold a reference";

    IDispatch* created = nullptr;
    ASSERT_HR(S_OK, CoCreateInstance(factoryClass, nullptr, CLSCTX_INPROC_SERVER, IID_IDispatch,
                                     reinterpret_cast<void**>(&created)));
    EXPECT_EQ(&factory.product, created);
    EXPECT_EQ(1, factory.createCalls);
    EXPECT_EQ(2, factory.references) << "CoCreateInstance kept or lost a factory reference";
    EXPECT_EQ(2, factory.product.references);
    created->Release();

    IClassFactory* got = nullptr;
    ASSERT_HR(S_OK, CoGetClassObject(factoryClass, CLSCTX_INPROC_SERVER, nullptr, IID_IClassFactory,
                                     reinterpret_cast<void**>(&got)));
    EXPECT_EQ(&factory, got);
    EXPECT_EQ(3, factory.references);
    got->Release();

    ASSERT_HR(S_OK, CoRevokeClassObject(cookie));
    EXPECT_EQ(1, factory.references) << "revoking must release the registration's reference";
    EXPECT_HR(CO_E_OBJNOTREG, CoRevokeClassObject(cookie));
    void* object = nullptr;
    EXPECT_HR(REGDB_E_CLASSNOTREG, CoCreateInstance(factoryClass, nullptr, CLSCTX_INPROC_SERVER, IID_IUnknown, &object));
}

TEST_F(ClassObjects, FactoryArgumentsAndErrorsPassThrough)
{
    CountingFactory factory;
    factory.result = CLASS_E_NOAGGREGATION;
    DWORD cookie = 0;
    ASSERT_HR(S_OK, CoRegisterClassObject(factoryClass, &factory, CLSCTX_INPROC_SERVER, REGCLS_MULTIPLEUSE, &cookie));
    CountingDispatch outer;
    void* object = reinterpret_cast<void*>(1);
    EXPECT_HR(CLASS_E_NOAGGREGATION, CoCreateInstance(factoryClass, &outer, CLSCTX_INPROC_SERVER, IID_IUnknown, &object));
    EXPECT_EQ(static_cast<IUnknown*>(&outer), factory.lastOuter);
    EXPECT_EQ(nullptr, object);
    EXPECT_EQ(2, factory.references);

    factory.result = S_OK;
    EXPECT_HR(E_NOINTERFACE, CoCreateInstance(factoryClass, nullptr, CLSCTX_INPROC_SERVER, IID_IClassFactory, &object))
        << "the product's QueryInterface result must come back";
    CoRevokeClassObject(cookie);
}

TEST_F(ClassObjects, RegistrationOnlyServesItsContext)
{
    CountingFactory factory;
    DWORD cookie = 0;
    ASSERT_HR(S_OK, CoRegisterClassObject(factoryClass, &factory, CLSCTX_LOCAL_SERVER, REGCLS_MULTIPLEUSE, &cookie));
    void* object = nullptr;
    EXPECT_HR(REGDB_E_CLASSNOTREG, CoCreateInstance(factoryClass, nullptr, CLSCTX_INPROC_SERVER, IID_IUnknown, &object));
    EXPECT_EQ(0, factory.createCalls);
    CoRevokeClassObject(cookie);
    EXPECT_EQ(1, factory.references);
}

// An object that may or may not expose IRunnableObject.
class MaybeRunnable : public IRunnableObject {
public:
    bool runnable;
    HRESULT runResult;
    int runCalls = 0;
    LPBINDCTX lastBindContext = reinterpret_cast<LPBINDCTX>(1);
    std::atomic<LONG> references{1};

    MaybeRunnable(bool runnable, HRESULT runResult) : runnable(runnable), runResult(runResult) {}
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** object) override
    {
        if (riid == IID_IUnknown || (runnable && riid == IID_IRunnableObject)) {
            *object = static_cast<IRunnableObject*>(this);
            AddRef();
            return S_OK;
        }
        *object = nullptr;
        return E_NOINTERFACE;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return ULONG(++references); }
    ULONG STDMETHODCALLTYPE Release() override { return ULONG(--references); }
    HRESULT STDMETHODCALLTYPE GetRunningClass(LPCLSID) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE Run(LPBINDCTX bindContext) override
    {
        ++runCalls;
        lastBindContext = bindContext;
        return runResult;
    }
    BOOL STDMETHODCALLTYPE IsRunning() override { return runCalls > 0; }
    HRESULT STDMETHODCALLTYPE LockRunning(BOOL, BOOL) override { return S_OK; }
    HRESULT STDMETHODCALLTYPE SetContainedObject(BOOL) override { return S_OK; }
};

TEST(OleRun, RunsRunnableObjectsAndPassesOthers)
{
    struct Case {
        bool runnable;
        HRESULT runResult;
        HRESULT expected;
        int expectedRuns;
    } cases[] = {{false, E_FAIL, S_OK, 0}, {true, S_OK, S_OK, 1}, {true, E_OUTOFMEMORY, E_OUTOFMEMORY, 1}};
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "runnable " << c.runnable << " run result " << hex(c.runResult));
        MaybeRunnable object(c.runnable, c.runResult);
        EXPECT_HR(c.expected, OleRun(&object));
        EXPECT_EQ(c.expectedRuns, object.runCalls);
        if (c.runnable) {
            EXPECT_EQ(nullptr, object.lastBindContext);
        }
        EXPECT_EQ(1, object.references) << "OleRun kept a reference";
    }
}

}  // namespace
