#include "com_test_support.h"

#include <cstdlib>
#include <filesystem>
#include <stdexcept>
#include <string>

#include "tests/support/ole_text.h"

namespace velsim_test {

namespace {

#ifdef _WIN32
// Makes CoCreateInstance find the built module through the system registry:
// registers it, by its own DllRegisterServer, when the class is not registered
// yet and removes that registration at the end. A class registered to another
// module (the real plug-in) is left alone, and the tests do not run.
class SimulatorRegistration : public testing::Environment {
public:
    void SetUp() override
    {
        std::wstring registered;
        if (RegisteredModule(registered)) {
            ASSERT_EQ(lstrcmpiW(registered.c_str(), ModulePath().c_str()), 0)
                << "the plug-in's class is registered to another module";
            return;
        }
        ASSERT_EQ(CallModule("DllRegisterServer"), S_OK);
        registeredHere_ = true;
    }
    void TearDown() override
    {
        if (registeredHere_) {
            EXPECT_EQ(CallModule("DllUnregisterServer"), S_OK);
        }
    }

private:
    bool registeredHere_ = false;
};

testing::Environment* const registration = testing::AddGlobalTestEnvironment(new SimulatorRegistration);
#else
// Per-user registrations hide the bundled one; an empty home of our own makes
// every test find the module through the bundled registration beside
// libjvelcom, as a fresh installation does.
class EmptyHome : public testing::Environment {
public:
    void SetUp() override
    {
        char pattern[] = "/tmp/velwebsim-home-XXXXXX";
        const char* home = mkdtemp(pattern);
        ASSERT_NE(home, nullptr);
        directory_ = home;
        setenv("HOME", home, 1);
    }
    void TearDown() override
    {
        std::error_code ignored;
        std::filesystem::remove_all(directory_, ignored);
    }

private:
    std::string directory_;
};

testing::Environment* const emptyHome = testing::AddGlobalTestEnvironment(new EmptyHome);
#endif

}  // namespace

#ifdef _WIN32
std::wstring ModulePath()
{
    wchar_t path[MAX_PATH] = L"";
    HMODULE module = LoadLibraryA(VELWEB_SIMULATOR_MODULE);
    if (module == nullptr) return path;
    GetModuleFileNameW(module, path, MAX_PATH);
    FreeLibrary(module);
    return path;
}

HRESULT CallModule(const char* entryPoint)
{
    HMODULE module = LoadLibraryA(VELWEB_SIMULATOR_MODULE);
    if (module == nullptr) return HRESULT_FROM_WIN32(GetLastError());
    const auto function = reinterpret_cast<HRESULT(STDAPICALLTYPE*)()>(
        reinterpret_cast<void*>(GetProcAddress(module, entryPoint)));
    const HRESULT hr = function != nullptr ? function() : HRESULT_FROM_WIN32(ERROR_PROC_NOT_FOUND);
    FreeLibrary(module);
    return hr;
}

bool ReadRegistryText(const wchar_t* subkey, const wchar_t* name, std::wstring& text)
{
    wchar_t value[MAX_PATH] = L"";
    DWORD bytes = sizeof value - sizeof(wchar_t);
    if (RegGetValueW(HKEY_CLASSES_ROOT, subkey, name, RRF_RT_REG_SZ, nullptr, value, &bytes) != ERROR_SUCCESS)
        return false;
    text = value;
    return true;
}

bool RegisteredModule(std::wstring& path)
{
    return ReadRegistryText(kServerKey, nullptr, path);
}
#endif

Bstr::Bstr(const std::u16string& text) : text_(jvelweb::testing::NewBstr(text))
{
    if (text_ == nullptr) throw std::bad_alloc();
}

std::u16string Take(BSTR text)
{
    std::u16string copy = jvelweb::testing::U16(text);
    SysFreeString(text);
    return copy;
}

ErrorReport TakeErrorInfo()
{
    ErrorReport report;
    IErrorInfo* info = nullptr;
    if (GetErrorInfo(0, &info) != S_OK || info == nullptr) return report;
    report.present = true;
    BSTR source = nullptr, description = nullptr;
    info->GetSource(&source);
    info->GetDescription(&description);
    info->GetGUID(&report.guid);
    report.source = Take(source);
    report.description = Take(description);
    info->Release();
    return report;
}

std::string Narrow(const std::u16string& text)
{
    std::string narrow;
    for (char16_t c : text) narrow.push_back(c < 0x80 ? static_cast<char>(c) : '?');
    return narrow;
}

void PluginTest::SetUp()
{
    ASSERT_TRUE(SUCCEEDED(CoInitialize(nullptr)));
    ASSERT_EQ(CoCreateInstance(CLSID_VelWebPlugin, nullptr, CLSCTX_ALL, IID_IUnknown,
                               reinterpret_cast<void**>(&unknown)),
              S_OK);
    ASSERT_EQ(OleRun(unknown), S_OK);
    ASSERT_EQ(unknown->QueryInterface(IID_IWebPlugin2, reinterpret_cast<void**>(&plugin)), S_OK);
}

void PluginTest::TearDown()
{
    if (plugin != nullptr) plugin->Release();
    if (unknown != nullptr) unknown->Release();
    CoUninitialize();
}

}  // namespace velsim_test
