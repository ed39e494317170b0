// The live view of the COM object: started by the control interface or by the
// SimulatedView property of its bag, refused for bad ports and non-loopback
// addresses, and closed when the object goes.
#define CPPHTTPLIB_USE_POLL
#include <httplib.h>

#include <map>
#include <regex>

#include "plugin/plugin_ids.h"
#include "plugin/simulated_device_control.h"
#include "com_test_support.h"

namespace velsim_test {
namespace {

// A bag that answers one text property.
class TextBag final : public IPropertyBag {
public:
    TextBag(const char16_t* name, const char16_t* text) : name_(name), text_(text) {}
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** object) override
    {
        if (riid != IID_IUnknown && riid != IID_IPropertyBag) return *object = nullptr, E_NOINTERFACE;
        *object = this;
        return S_OK;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return 2; }
    ULONG STDMETHODCALLTYPE Release() override { return 1; }
    HRESULT STDMETHODCALLTYPE Read(LPCOLESTR name, VARIANT* value, IErrorLog*) override
    {
        if (std::u16string(reinterpret_cast<const char16_t*>(name)) != name_) return E_INVALIDARG;
        value->vt = VT_BSTR;
        value->bstrVal = SysAllocString(reinterpret_cast<const OLECHAR*>(text_));
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE Write(LPCOLESTR, VARIANT*) override { return E_NOTIMPL; }

private:
    std::u16string name_;
    const char16_t* text_;
};

int AnsweringStatus(int port, const std::string& token)
{
    httplib::Client client("127.0.0.1", port);
    client.set_connection_timeout(2, 0);
    auto answer = client.Get(("/?token=" + token).c_str());
    return answer ? answer->status : -1;
}

// Loads the object with SimulatedView = setting and returns what it printed.
std::string LoadWithView(IUnknown* object, const char16_t* setting)
{
    IPersistPropertyBag* persist = nullptr;
    EXPECT_EQ(object->QueryInterface(IID_IPersistPropertyBag, reinterpret_cast<void**>(&persist)), S_OK);
    TextBag bag(u"SimulatedView", setting);
    testing::internal::CaptureStderr();
    EXPECT_EQ(persist->Load(&bag, nullptr), S_OK) << "a view never keeps the plug-in from loading";
    persist->Release();
    return testing::internal::GetCapturedStderr();
}

TEST_F(PluginTest, TheViewStartsFromTheControlInterfaceOrTheBagAndClosesWithTheObject)
{
    ISimulatedDeviceControl* control = nullptr;
    ASSERT_EQ(plugin->QueryInterface(IID_ISimulatedDeviceControl, reinterpret_cast<void**>(&control)), S_OK);
    BSTR address = nullptr;
    for (LONG bad : {-1L, 65536L}) {
        EXPECT_EQ(control->StartView(bad, &address), E_INVALIDARG) << bad;
        EXPECT_EQ(address, nullptr);
        EXPECT_NE(Narrow(TakeErrorInfo().description).find("from 0 to 65535"), std::string::npos);
    }
    testing::internal::CaptureStderr();
    ASSERT_EQ(control->StartView(0, &address), S_OK);
    const std::string printed = testing::internal::GetCapturedStderr();
    const std::string text = Narrow(Take(address));
    std::smatch parts;
    ASSERT_TRUE(std::regex_match(text, parts, std::regex(R"(http://127\.0\.0\.1:(\d+)/\?token=([0-9a-f]{64}))"))) << text;
    EXPECT_EQ(printed, "JVelWeb simulated device: " + text + "\n");
    const int port = std::stoi(parts[1]);
    EXPECT_EQ(AnsweringStatus(port, parts[2]), 200);
    EXPECT_EQ(control->StopView(), S_OK);
    EXPECT_EQ(AnsweringStatus(port, parts[2]), -1) << "stopped";
    control->Release();

    // From the bag: a refused address opens nothing; a port opens a view that
    // closes when the last reference goes.
    EXPECT_NE(LoadWithView(unknown, u"0.0.0.0:8080").find("the view did not start: the view listens on 127.0.0.1 only"),
              std::string::npos);
    IUnknown* second = nullptr;
    ASSERT_EQ(CoCreateInstance(CLSID_VelWebPlugin, nullptr, CLSCTX_ALL, IID_IUnknown, reinterpret_cast<void**>(&second)),
              S_OK);
    const std::string announced = LoadWithView(second, u"0");
    ASSERT_TRUE(std::regex_search(announced, parts, std::regex(R"(127\.0\.0\.1:(\d+)/\?token=([0-9a-f]{64}))")))
        << announced;
    const std::string token = parts[2];
    const int secondPort = std::stoi(parts[1]);
    EXPECT_EQ(AnsweringStatus(secondPort, token), 200);
    EXPECT_EQ(second->Release(), 0u);
    EXPECT_EQ(AnsweringStatus(secondPort, token), -1) << "the view closes with its object";
}

}  // namespace
}  // namespace velsim_test
