// Helpers for the tests that drive the built simulator module through COM.
#pragma once

#include <gtest/gtest.h>

#include <string>

#include "platform/com.h"
#include "plugin/web_plugin.h"

namespace velsim_test {

// An input BSTR owned by the test.
class Bstr {
public:
    explicit Bstr(const std::u16string& text);
    ~Bstr() { SysFreeString(text_); }
    Bstr(const Bstr&) = delete;
    Bstr& operator=(const Bstr&) = delete;
    operator BSTR() const { return text_; }

private:
    BSTR text_;
};

// The text of an output BSTR, which it frees.
std::u16string Take(BSTR text);

// What GetErrorInfo holds for the calling thread, taken out of it.
struct ErrorReport {
    bool present = false;
    std::u16string source;
    std::u16string description;
    GUID guid{};
};
ErrorReport TakeErrorInfo();

std::string Narrow(const std::u16string& text);

#ifdef _WIN32
// The simulator's class in the system registry, as regsvr32 writes it.
inline const wchar_t kClassKey[] = L"CLSID\\{18B46DCC-AD84-47A3-8974-433DC96BACB6}";
inline const wchar_t kServerKey[] = L"CLSID\\{18B46DCC-AD84-47A3-8974-433DC96BACB6}\\InprocServer32";

// The full path of the built module, found as LoadLibrary finds it.
std::wstring ModulePath();
// Calls one of the module's HRESULT-returning entry points without arguments.
HRESULT CallModule(const char* entryPoint);
// A text value of HKCR\<subkey> (null name: the default value).
bool ReadRegistryText(const wchar_t* subkey, const wchar_t* name, std::wstring& text);
// The module registered as the class's in-process server, if any.
bool RegisteredModule(std::wstring& path);
#endif

// A fresh plug-in made the way the library makes it: CoCreateInstance for
// IUnknown, OleRun, then IWebPlugin2.
class PluginTest : public testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    IUnknown* unknown = nullptr;
    IWebPlugin2* plugin = nullptr;
};

}  // namespace velsim_test
