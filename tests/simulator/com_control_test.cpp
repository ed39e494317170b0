// ISimulatedDeviceControl through COM: found with QueryInterface, driving the
// plug-in's own effects, and refusing bad input with an error object.
#include <filesystem>

#include "com_test_support.h"
#include "plugin/simulated_device_control.h"

namespace velsim_test {
namespace {

class ControlTest : public PluginTest {
protected:
    void SetUp() override
    {
        PluginTest::SetUp();
        ASSERT_EQ(unknown->QueryInterface(IID_ISimulatedDeviceControl, reinterpret_cast<void**>(&control)), S_OK);
        ASSERT_EQ(control->UseManualClock(), S_OK);
    }
    void TearDown() override
    {
        if (control != nullptr) control->Release();
        PluginTest::TearDown();
    }
    bool Playing(const char16_t* name)
    {
        VARIANT_BOOL exists = VARIANT_FALSE;
        EXPECT_EQ(plugin->EffectExists(Bstr(name), 1, &exists), S_OK);
        return exists != VARIANT_FALSE;
    }

    ISimulatedDeviceControl* control = nullptr;
};

TEST_F(ControlTest, AFiniteEffectStopsPlayingWhenTheManualClockPassesItsEnd)
{
    VARIANT_BOOL done = VARIANT_FALSE;
    ASSERT_EQ(plugin->MakeConstant(Bstr(u"tap"), &done), S_OK);
    ASSERT_EQ(plugin->ChangeMagnitude(Bstr(u"tap"), 1, 4000, 4000, &done), S_OK);
    ASSERT_EQ(plugin->ChangeDuration(Bstr(u"tap"), 1, 250, &done), S_OK);
    LONGLONG start = -1;
    ASSERT_EQ(control->GetMillis(&start), S_OK);
    ASSERT_EQ(plugin->StartEffect(Bstr(u"tap"), 1, &done), S_OK);
    LONG x = 0, y = 0;
    ASSERT_EQ(control->GetEffectForce(Bstr(u"tap"), &x, &y), S_OK);
    EXPECT_EQ(x, 4000);
    ASSERT_EQ(control->Advance(249), S_OK);
    EXPECT_TRUE(Playing(u"tap"));
    ASSERT_EQ(control->Advance(1), S_OK);
    EXPECT_FALSE(Playing(u"tap"));
    LONGLONG now = 0;
    ASSERT_EQ(control->GetMillis(&now), S_OK);
    EXPECT_EQ(now - start, 250);
    ASSERT_EQ(control->GetForce(&x, &y), S_OK);
    EXPECT_EQ(x, 0);
    ASSERT_EQ(control->GetEffectForce(Bstr(u"no such effect"), &x, &y), S_OK);
    EXPECT_EQ(x, 0);
}

TEST_F(ControlTest, TheHandMovesTheReportedPositionsAndTheCircleComesBack)
{
    ASSERT_EQ(control->MoveHand(1919, 0), S_OK);
    LONG x = -1, y = -1;
    ASSERT_EQ(plugin->GetScreenPosX(&x), S_OK);
    ASSERT_EQ(plugin->GetCursorPosY(&y), S_OK);
    EXPECT_EQ(x, 1919);
    EXPECT_EQ(y, 0);
    ASSERT_EQ(plugin->GetDevicePosX(&x), S_OK);
    ASSERT_EQ(plugin->GetDevicePosY(&y), S_OK);
    EXPECT_EQ(x, 1000) << "the top right corner is the end of the reach";
    EXPECT_EQ(y, -1000);
    ASSERT_EQ(control->UseCircleHand(), S_OK);
    ASSERT_EQ(plugin->GetDevicePosX(&x), S_OK);
    ASSERT_EQ(plugin->GetDevicePosY(&y), S_OK);
    EXPECT_EQ(x, 799) << "one 3-degree step on from where the circle was";
    EXPECT_EQ(y, 42);
}

TEST_F(ControlTest, RefusalsLeaveAnErrorObjectAndChangeNothing)
{
    const LONG times[] = {0, 100, 50}, xs[] = {1, 2, 3}, ys[] = {4, 5, 6};
    LONGLONG before = 0, after = 0;
    ASSERT_EQ(control->GetMillis(&before), S_OK);
    const struct {
        const char* what;
        HRESULT hr;
        std::u16string description;
        HRESULT (*call)(ISimulatedDeviceControl*, const LONG*, const LONG*, const LONG*);
    } cases[] = {
        {"negative advance", E_INVALIDARG, u"Advance takes 0 or more milliseconds, not -1",
         [](ISimulatedDeviceControl* c, const LONG*, const LONG*, const LONG*) { return c->Advance(-1); }},
        {"times that go back", E_INVALIDARG, u"Path point 2 has time 50 ms, before the point ahead of it",
         [](ISimulatedDeviceControl* c, const LONG* t, const LONG* x, const LONG* y) { return c->FollowPath(3, t, x, y); }},
        {"an empty path", E_INVALIDARG, u"A path needs at least one point, not 0",
         [](ISimulatedDeviceControl* c, const LONG* t, const LONG* x, const LONG* y) { return c->FollowPath(0, t, x, y); }},
        {"the live view on a port that is none", E_INVALIDARG,
         u"The view's port must be from 0 to 65535 (0 picks a free one), not -1",
         [](ISimulatedDeviceControl* c, const LONG*, const LONG*, const LONG*) {
             BSTR address = nullptr;
             return c->StartView(-1, &address);
         }},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(c.call(control, times, xs, ys), c.hr) << c.what;
        const ErrorReport error = TakeErrorInfo();
        EXPECT_TRUE(error.present) << c.what;
        EXPECT_EQ(Narrow(error.description), Narrow(c.description)) << c.what;
        EXPECT_EQ(Narrow(error.source), "VelWeb Simulator") << c.what;
        EXPECT_TRUE(error.guid == IID_ISimulatedDeviceControl) << c.what;
    }
    ASSERT_EQ(control->GetMillis(&after), S_OK);
    EXPECT_EQ(after, before);

    ASSERT_EQ(control->UseRealClock(), S_OK);
    EXPECT_EQ(control->Advance(5), E_UNEXPECTED);
    EXPECT_EQ(Narrow(TakeErrorInfo().description), "Advance moves only the manual clock: call UseManualClock first");
    const std::u16string directory = std::filesystem::temp_directory_path().u16string();
    EXPECT_TRUE(FAILED(control->StartRecording(Bstr(directory))));
    EXPECT_NE(Narrow(TakeErrorInfo().description).find("it is a directory"), std::string::npos);
    EXPECT_EQ(control->StopRecording(), S_OK) << "none runs";
}

}  // namespace
}  // namespace velsim_test
