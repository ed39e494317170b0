#include "com_test_support.h"

#include <cstdlib>
#include <filesystem>
#include <stdexcept>
#include <string>

namespace velsim_test {

namespace {

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

}  // namespace

Bstr::Bstr(const std::u16string& text) : text_(SysAllocStringLen(text.data(), static_cast<UINT>(text.size())))
{
    if (text_ == nullptr) throw std::bad_alloc();
}

std::u16string Take(BSTR text)
{
    std::u16string copy = text == nullptr ? std::u16string() : std::u16string(text, SysStringLen(text));
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
