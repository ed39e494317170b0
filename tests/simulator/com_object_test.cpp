// The simulator as a COM object: identity, lifetime, the class object and
// module exports, persistence of DeviceFlag, and error-information support.
#include <climits>
#include <cstdlib>
#ifndef _WIN32
#include <dlfcn.h>
#endif

#include <fstream>
#include <map>
#include <string>

#include "com_test_support.h"
#include "plugin/simulated_device_control.h"
#include "tests/support/ole_text.h"

namespace velsim_test {
namespace {

using ObjectTest = PluginTest;

TEST_F(ObjectTest, AnswersEveryInterfaceItImplementsWithOneIdentity)
{
    const IID* const offered[] = {&IID_IUnknown,           &IID_IDispatch,      &IID_IWebPlugin, &IID_IWebPlugin2,
                                  &IID_IPersist,           &IID_IPersistPropertyBag, &IID_ISupportErrorInfo,
                                  &IID_ISimulatedDeviceControl};
    for (const IID* iid : offered) {
        IUnknown* face = nullptr;
        ASSERT_EQ(unknown->QueryInterface(*iid, reinterpret_cast<void**>(&face)), S_OK);
        IUnknown* identity = nullptr;
        ASSERT_EQ(face->QueryInterface(IID_IUnknown, reinterpret_cast<void**>(&identity)), S_OK);
        EXPECT_EQ(identity, unknown) << "QueryInterface(IUnknown) gives one pointer from every interface";
        identity->Release();
        face->Release();
    }
    for (const IID* iid : {&IID_IClassFactory, &IID_IRunnableObject, &IID_IErrorInfo, &CLSID_VelWebPlugin}) {
        void* face = reinterpret_cast<void*>(1);
        EXPECT_EQ(unknown->QueryInterface(*iid, &face), E_NOINTERFACE);
        EXPECT_EQ(face, nullptr);
    }
    EXPECT_EQ(unknown->QueryInterface(IID_IUnknown, nullptr), E_POINTER);
}

TEST_F(ObjectTest, SupportsErrorInfoForThePluginInterfacesAndTheControlInterfaceOnly)
{
    ISupportErrorInfo* support = nullptr;
    ASSERT_EQ(unknown->QueryInterface(IID_ISupportErrorInfo, reinterpret_cast<void**>(&support)), S_OK);
    EXPECT_EQ(support->InterfaceSupportsErrorInfo(IID_IWebPlugin), S_OK);
    EXPECT_EQ(support->InterfaceSupportsErrorInfo(IID_IWebPlugin2), S_OK);
    EXPECT_EQ(support->InterfaceSupportsErrorInfo(IID_ISimulatedDeviceControl), S_OK);
    EXPECT_EQ(support->InterfaceSupportsErrorInfo(IID_IPersistPropertyBag), S_FALSE);
    EXPECT_EQ(support->InterfaceSupportsErrorInfo(IID_IUnknown), S_FALSE);
    support->Release();
}

// The module as COM loaded it, for its exports.
template <class Function>
Function Export(const char* name)
{
#ifdef _WIN32
    HMODULE module = GetModuleHandleA(VELWEB_SIMULATOR_MODULE);
    EXPECT_NE(module, nullptr) << "the module is loaded by CoCreateInstance";
    if (module == nullptr) return nullptr;
    return reinterpret_cast<Function>(reinterpret_cast<void*>(GetProcAddress(module, name)));
#else
    void* module = dlopen(VELWEB_SIMULATOR_MODULE, RTLD_NOW | RTLD_NOLOAD);
    EXPECT_NE(module, nullptr) << "the module is loaded by CoCreateInstance";
    if (module == nullptr) return nullptr;
    auto function = reinterpret_cast<Function>(dlsym(module, name));
    dlclose(module);  // drops only the reference RTLD_NOLOAD added
    return function;
#endif
}

TEST_F(ObjectTest, CountsReferencesAndLetsTheModuleUnloadOnlyWhenNothingIsAlive)
{
    const auto canUnloadNow = Export<LPFNCANUNLOADNOW>("DllCanUnloadNow");
    ASSERT_NE(canUnloadNow, nullptr);
    EXPECT_EQ(unknown->AddRef(), 3u);  // unknown, plugin, and this one
    EXPECT_EQ(unknown->Release(), 2u);
    EXPECT_EQ(canUnloadNow(), S_FALSE);
    plugin->Release();
    plugin = nullptr;
    EXPECT_EQ(canUnloadNow(), S_FALSE);
    EXPECT_EQ(unknown->Release(), 0u);
    unknown = nullptr;
    EXPECT_EQ(canUnloadNow(), S_OK);

    const auto getClassObject = Export<LPFNGETCLASSOBJECT>("DllGetClassObject");
    IClassFactory* factory = nullptr;
    ASSERT_EQ(getClassObject(CLSID_VelWebPlugin, IID_IClassFactory, reinterpret_cast<void**>(&factory)), S_OK);
    EXPECT_EQ(canUnloadNow(), S_FALSE) << "a held class object keeps the module";
    ASSERT_EQ(factory->LockServer(TRUE), S_OK);
    factory->Release();
    EXPECT_EQ(canUnloadNow(), S_FALSE) << "a server lock keeps the module";
    ASSERT_EQ(factory->LockServer(FALSE), S_OK);
    EXPECT_EQ(canUnloadNow(), S_OK);
    void* object = reinterpret_cast<void*>(1);
    EXPECT_EQ(getClassObject(IID_IWebPlugin, IID_IClassFactory, &object), CLASS_E_CLASSNOTAVAILABLE);
    EXPECT_EQ(object, nullptr);
}

TEST_F(ObjectTest, RefusesAggregationAndGivesAFreshPluginEachTime)
{
    IUnknown* refused = reinterpret_cast<IUnknown*>(1);
    EXPECT_EQ(CoCreateInstance(CLSID_VelWebPlugin, unknown, CLSCTX_ALL, IID_IUnknown,
                               reinterpret_cast<void**>(&refused)),
              CLASS_E_NOAGGREGATION);
    EXPECT_EQ(refused, nullptr);

    VARIANT_BOOL made = VARIANT_FALSE;
    ASSERT_EQ(plugin->MakeConstant(Bstr(u"only here"), &made), S_OK);
    IWebPlugin2* other = nullptr;
    ASSERT_EQ(CoCreateInstance(CLSID_VelWebPlugin, nullptr, CLSCTX_ALL, IID_IWebPlugin2,
                               reinterpret_cast<void**>(&other)),
              S_OK);
    LONG count = -1;
    ASSERT_EQ(other->GetNumberOfEffects(0, &count), S_OK);
    EXPECT_EQ(count, 0);
    ASSERT_EQ(plugin->GetNumberOfEffects(0, &count), S_OK);
    EXPECT_EQ(count, 1);
    EXPECT_NE(static_cast<void*>(other), static_cast<void*>(plugin));
    other->Release();
}

// A property bag over a map, counting its references.
class MapBag final : public IPropertyBag {
public:
    std::map<std::u16string, VARIANT> values;
    ULONG references = 1;

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** object) override
    {
        if (riid != IID_IUnknown && riid != IID_IPropertyBag) {
            *object = nullptr;
            return E_NOINTERFACE;
        }
        *object = this;
        AddRef();
        return S_OK;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return ++references; }
    ULONG STDMETHODCALLTYPE Release() override { return --references; }
    HRESULT STDMETHODCALLTYPE Read(LPCOLESTR name, VARIANT* value, IErrorLog*) override
    {
        const auto found = values.find(jvelweb::testing::U16Z(name));
        if (found == values.end()) return E_INVALIDARG;
        return VariantCopy(value, &found->second);
    }
    HRESULT STDMETHODCALLTYPE Write(LPCOLESTR name, VARIANT* value) override
    {
        VARIANT& stored = values[jvelweb::testing::U16Z(name)];
        VariantInit(&stored);
        return VariantCopy(&stored, value);
    }
    ~MapBag()
    {
        for (auto& entry : values) VariantClear(&entry.second);
    }
};

class Persistence : public PluginTest {
protected:
    void SetUp() override
    {
        PluginTest::SetUp();
        ASSERT_EQ(unknown->QueryInterface(IID_IPersistPropertyBag, reinterpret_cast<void**>(&persist)), S_OK);
    }
    void TearDown() override
    {
        if (persist != nullptr) persist->Release();
        PluginTest::TearDown();
    }
    LONG DeviceFlag()
    {
        LONG flag = -1;
        EXPECT_EQ(plugin->GetDeviceFlag(&flag), S_OK);
        return flag;
    }
    IPersistPropertyBag* persist = nullptr;
};

TEST_F(Persistence, LoadReadsDeviceFlagAndKeepsNoReferenceToTheBag)
{
    EXPECT_EQ(DeviceFlag(), 0);
    MapBag bag;
    VARIANT& flag = bag.values[u"DeviceFlag"];
    VariantInit(&flag);
    flag.vt = VT_I4;
    flag.lVal = -123456;
    ASSERT_EQ(persist->Load(&bag, nullptr), S_OK);
    EXPECT_EQ(DeviceFlag(), -123456);
    EXPECT_EQ(bag.references, 1u);

    MapBag saved;
    ASSERT_EQ(persist->Save(&saved, TRUE, TRUE), S_OK);
    ASSERT_EQ(saved.values.count(u"DeviceFlag"), 1u);
    EXPECT_EQ(saved.values[u"DeviceFlag"].vt, VT_I4);
    EXPECT_EQ(saved.values[u"DeviceFlag"].lVal, -123456);

    ASSERT_EQ(persist->InitNew(), S_OK);
    EXPECT_EQ(DeviceFlag(), 0);
}

TEST_F(Persistence, ABagWithoutTheFlagMeansZeroAndAWrongTypeIsRefused)
{
    MapBag bag;
    VARIANT& flag = bag.values[u"DeviceFlag"];
    VariantInit(&flag);
    flag.vt = VT_I4;
    flag.lVal = 7;
    ASSERT_EQ(persist->Load(&bag, nullptr), S_OK);

    MapBag wrong;
    VARIANT& text = wrong.values[u"DeviceFlag"];
    VariantInit(&text);
    text.vt = VT_BSTR;
    text.bstrVal = SysAllocString(jvelweb::testing::Ole(u"7"));
    EXPECT_EQ(persist->Load(&wrong, nullptr), DISP_E_TYPEMISMATCH);
    EXPECT_EQ(DeviceFlag(), 7) << "a refused Load changes nothing";

    MapBag empty;
    ASSERT_EQ(persist->Load(&empty, nullptr), S_OK);
    EXPECT_EQ(DeviceFlag(), 0);
    EXPECT_EQ(persist->Load(nullptr, nullptr), E_POINTER);

    CLSID classId{};
    ASSERT_EQ(persist->GetClassID(&classId), S_OK);
    EXPECT_EQ(classId, CLSID_VelWebPlugin);
}

#ifdef _WIN32
TEST(Registration, WritesTheInProcessServerKeyAndRemovesTheClass)
{
    // The environment registered the module (or found it registered), so the
    // registration is put back at the end.
    ASSERT_EQ(CallModule("DllRegisterServer"), S_OK);
    std::wstring server, threadingModel;
    ASSERT_TRUE(ReadRegistryText(kServerKey, nullptr, server));
    EXPECT_EQ(lstrcmpiW(server.c_str(), ModulePath().c_str()), 0) << "InprocServer32 is not the module's path";
    ASSERT_TRUE(ReadRegistryText(kServerKey, L"ThreadingModel", threadingModel));
    EXPECT_EQ(threadingModel, L"Both");

    ASSERT_EQ(CallModule("DllUnregisterServer"), S_OK);
    HKEY key = nullptr;
    EXPECT_EQ(RegOpenKeyExW(HKEY_CLASSES_ROOT, kClassKey, 0, KEY_READ, &key), ERROR_FILE_NOT_FOUND);
    EXPECT_EQ(CallModule("DllUnregisterServer"), S_OK) << "removing a removed registration succeeds";
    ASSERT_TRUE(SUCCEEDED(CoInitialize(nullptr)));
    IUnknown* object = nullptr;
    EXPECT_EQ(CoCreateInstance(CLSID_VelWebPlugin, nullptr, CLSCTX_ALL, IID_IUnknown,
                               reinterpret_cast<void**>(&object)),
              REGDB_E_CLASSNOTREG);
    CoUninitialize();
    ASSERT_EQ(CallModule("DllRegisterServer"), S_OK);
}
#else
TEST(Registration, RegistersTheModuleForTheCurrentUserByItsAbsolutePath)
{
    void* module = dlopen(VELWEB_SIMULATOR_MODULE, RTLD_NOW);
    ASSERT_NE(module, nullptr) << dlerror();
    const auto registerServer = reinterpret_cast<HRESULT (*)()>(dlsym(module, "DllRegisterServer"));
    const auto unregisterServer = reinterpret_cast<HRESULT (*)()>(dlsym(module, "DllUnregisterServer"));
    ASSERT_NE(registerServer, nullptr);
    ASSERT_NE(unregisterServer, nullptr);

    const std::string entry = std::string(std::getenv("HOME")) + "/.jvelcom/classes/{18B46DCC-AD84-47A3-8974-433DC96BACB6}";
    ASSERT_EQ(registerServer(), S_OK);
    std::string line;
    std::getline(std::ifstream(entry), line);
    char expected[PATH_MAX];
    ASSERT_NE(realpath(VELWEB_SIMULATOR_MODULE, expected), nullptr);
    EXPECT_EQ(line, expected);

    ASSERT_EQ(unregisterServer(), S_OK);
    EXPECT_FALSE(std::ifstream(entry).good());
    dlclose(module);
}

#endif

}  // namespace
}  // namespace velsim_test
