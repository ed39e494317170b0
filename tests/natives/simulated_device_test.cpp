// SimulatedDevice's natives against the probe, through the fake JNIEnv: which
// DeviceRefusal each throws with no plug-in, with a plug-in that lacks the
// control interface, and with a control that refuses; what reaches the
// control and what Java gets when it answers; and that references balance.
#include <com_velmora_jvelweb_sim_SimulatedDevice.h>
#include <gtest/gtest.h>

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "bridge/plugin_handle.h"
#include "plugin/simulated_device_control.h"
#include "tests/support/fake_jni.h"
#include "tests/support/ole_text.h"
#include "tests/support/probe_plugin.h"

namespace jvelweb::testing {
namespace {

// A control interface that is a face of the probe: one identity, one count,
// and ISupportErrorInfo from the probe. It records each call and answers
// `answer`, leaving error information that says so when it fails.
class ProbeControl final : public ISimulatedDeviceControl {
public:
    explicit ProbeControl(ProbePlugin& probe) : probe_(probe) {}
    HRESULT answer = S_OK;
    std::vector<std::string> calls;

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** out) override { return probe_.QueryInterface(riid, out); }
    ULONG STDMETHODCALLTYPE AddRef() override { return probe_.AddRef(); }
    ULONG STDMETHODCALLTYPE Release() override { return probe_.Release(); }
    HRESULT STDMETHODCALLTYPE UseManualClock() override { return Answer("UseManualClock()"); }
    HRESULT STDMETHODCALLTYPE UseRealClock() override { return Answer("UseRealClock()"); }
    HRESULT STDMETHODCALLTYPE Advance(LONGLONG ms) override { return Answer("Advance(" + std::to_string(ms) + ")"); }
    HRESULT STDMETHODCALLTYPE GetMillis(LONGLONG* ms) override { return *ms = INT64_C(1) << 40, Answer("GetMillis()"); }
    HRESULT STDMETHODCALLTYPE MoveHand(LONG x, LONG y) override { return Answer("MoveHand(" + Pair(x, y) + ")"); }
    HRESULT STDMETHODCALLTYPE FollowPath(LONG n, const LONG*, const LONG*, const LONG*) override
    {
        return Answer("FollowPath(" + std::to_string(n) + ")");
    }
    HRESULT STDMETHODCALLTYPE UseCircleHand() override { return Answer("UseCircleHand()"); }
    HRESULT STDMETHODCALLTYPE GetForce(LONG* x, LONG* y) override { return Force("GetForce()", x, y); }
    HRESULT STDMETHODCALLTYPE GetEffectForce(BSTR name, LONG* x, LONG* y) override
    {
        return Force("GetEffectForce(" + Narrow(name) + ")", x, y);
    }
    HRESULT STDMETHODCALLTYPE GetForceAt(LONG atX, LONG atY, LONG* x, LONG* y) override
    {
        return Force("GetForceAt(" + Pair(atX, atY) + ")", x, y);
    }
    HRESULT STDMETHODCALLTYPE StartRecording(BSTR path) override { return Answer("StartRecording(" + Narrow(path) + ")"); }
    HRESULT STDMETHODCALLTYPE StopRecording() override { return Answer("StopRecording()"); }
    HRESULT STDMETHODCALLTYPE StartView(LONG, BSTR*) override { return Answer("StartView"); }
    HRESULT STDMETHODCALLTYPE StopView() override { return Answer("StopView"); }

private:
    static std::string Pair(LONG x, LONG y) { return std::to_string(x) + ", " + std::to_string(y); }
    static std::string Narrow(BSTR text)
    {
        std::string narrow;
        for (char16_t unit : U16(text)) narrow += unit < 0x80 ? static_cast<char>(unit) : '?';
        return narrow;
    }
    // The device's extremes, one on each axis, so a swapped or sign-lost
    // half of the packed pair shows.
    HRESULT Force(std::string call, LONG* x, LONG* y)
    {
        *x = -10000;
        *y = 10000;
        return Answer(std::move(call));
    }
    HRESULT Answer(std::string call)
    {
        calls.push_back(std::move(call));
        ICreateErrorInfo* create = nullptr;
        IErrorInfo* info = nullptr;
        if (FAILED(answer) && SUCCEEDED(CreateErrorInfo(&create))) {
            create->SetDescription(Ole(u"the device says no"));
            if (SUCCEEDED(create->QueryInterface(IID_IErrorInfo, reinterpret_cast<void**>(&info)))) {
                SetErrorInfo(0, info);
                info->Release();
            }
            create->Release();
        }
        return answer;
    }
    ProbePlugin& probe_;
};

constexpr jlong kPackedForce = static_cast<jlong>((uint64_t{0xFFFFD8F0} << 32) | 10000);  // x -10000, y 10000

struct NativeCase {
    const char* controlCall;  // what reaches the control
    std::function<jlong(FakeJni&)> call;  // the native; its result, or 0 for void
    jlong answer;                         // what Java gets when the control answers S_OK
};

#define SIM(name) Java_com_velmora_jvelweb_sim_SimulatedDevice_##name

// Each native with arguments that show a dropped, swapped or cut value.
std::vector<NativeCase> Natives()
{
    using Fake = FakeJni&;
    return {
        {"UseManualClock()", [](Fake j) { return SIM(manualClock)(j.Env(), nullptr), 0; }, 0},
        {"UseRealClock()", [](Fake j) { return SIM(realClock)(j.Env(), nullptr), 0; }, 0},
        {"Advance(-9223372036854775807)", [](Fake j) { return SIM(advanceClock)(j.Env(), nullptr, -INT64_MAX), 0; }, 0},
        {"GetMillis()", [](Fake j) { return SIM(clockMillis)(j.Env(), nullptr); }, INT64_C(1) << 40},
        {"MoveHand(-2147483648, 2147483647)",
         [](Fake j) { return SIM(moveHandTo)(j.Env(), nullptr, INT32_MIN, INT32_MAX), 0; }, 0},
        {"UseCircleHand()", [](Fake j) { return SIM(circleHand)(j.Env(), nullptr), 0; }, 0},
        {"GetForce()", [](Fake j) { return SIM(totalForce)(j.Env(), nullptr); }, kPackedForce},
        {"GetEffectForce(spring)",
         [](Fake j) { return SIM(effectForce)(j.Env(), nullptr, j.NewJavaString("spring")); }, kPackedForce},
        {"GetForceAt(-5, 7)", [](Fake j) { return SIM(forceAtPoint)(j.Env(), nullptr, -5, 7); }, kPackedForce},
        {"StartRecording(/tmp/r.csv)",
         [](Fake j) { return SIM(startRecording)(j.Env(), nullptr, j.NewJavaString("/tmp/r.csv")), 0; }, 0},
        {"StopRecording()", [](Fake j) { return SIM(endRecording)(j.Env(), nullptr), 0; }, 0},
    };
}

std::string Refusal(int reason, HRESULT hr, const char* description)
{
    return "com/velmora/jvelweb/sim/DeviceRefusal(" + std::to_string(reason) + ", " + std::to_string(hr) + ", " +
           (description == nullptr ? "null" : "\"" + std::string(description) + "\"") + ")";
}

class SimulatedDeviceNatives : public ::testing::Test {
protected:
    void SetUp() override
    {
        probe_.AddRef();  // the slot's own reference
        SetPlugin(nullptr, nullptr, probe_.Plugin());
    }
    void TearDown() override
    {
        SetPlugin(nullptr, nullptr, nullptr);
        EXPECT_EQ(probe_.References(), 1u) << "a call kept or dropped a plug-in reference";
        probe_.Release();
        IErrorInfo* left = nullptr;
        if (GetErrorInfo(0, &left) == S_OK) left->Release();
    }
    void OfferControl(bool offers = true)
    {
        probe_.extraId = offers ? &IID_ISimulatedDeviceControl : nullptr;
        probe_.extraFace = static_cast<ISimulatedDeviceControl*>(&control_);
    }
    ProbePlugin probe_;
    ProbeControl control_{probe_};
};

// With no plug-in, with one that lacks the control, and with a control that
// refuses: every native throws one DeviceRefusal, and only the last reaches
// the control. Its description comes only from an object that says, for the
// control interface, that it supports error information.
TEST_F(SimulatedDeviceNatives, EachNativeThrowsOneRefusalThatNamesTheCause)
{
    struct Situation {
        const char* what;
        bool held, offersControl;
        HRESULT answer;
        const IID* errorInfoFor;
        std::string thrown;
    };
    const Situation situations[] = {
        {"no plug-in", false, false, S_OK, nullptr, Refusal(0, E_POINTER, nullptr)},
        {"no control", true, false, S_OK, nullptr, Refusal(1, E_NOINTERFACE, nullptr)},
        {"refused, described", true, true, E_INVALIDARG, &IID_ISimulatedDeviceControl,
         Refusal(2, E_INVALIDARG, "the device says no")},
        {"refused, no error info for the control", true, true, E_UNEXPECTED, &IID_IWebPlugin2,
         Refusal(2, E_UNEXPECTED, nullptr)},
    };
    for (const Situation& situation : situations) {
        SetPlugin(nullptr, nullptr, situation.held ? probe_.Plugin() : nullptr);
        OfferControl(situation.offersControl);
        control_.answer = situation.answer;
        probe_.supportsErrorInfoFor = situation.errorInfoFor;
        for (const NativeCase& native : Natives()) {
            FakeJni jni;
            control_.calls.clear();
            native.call(jni);
            EXPECT_EQ(jni.thrown, std::vector<std::string>{situation.thrown}) << situation.what << ", " << native.controlCall;
            EXPECT_EQ(control_.calls.size(), situation.offersControl ? 1u : 0u) << situation.what;
            EXPECT_TRUE(jni.violations.empty()) << native.controlCall << ": " << jni.violations.front();
        }
        FakeJni jni;
        EXPECT_EQ(SIM(offersControl)(jni.Env(), nullptr),
                  situation.offersControl ? JNI_TRUE : JNI_FALSE) << situation.what;
        EXPECT_TRUE(jni.thrown.empty());
    }
    EXPECT_TRUE(probe_.Calls().empty()) << "the plug-in's own operations are never called";
}

TEST_F(SimulatedDeviceNatives, AnsweringControlGetsEachCallOnceAndJavaItsValue)
{
    OfferControl();
    for (const NativeCase& native : Natives()) {
        FakeJni jni;
        control_.calls.clear();
        EXPECT_EQ(native.call(jni), native.answer) << native.controlCall;
        EXPECT_EQ(control_.calls, std::vector<std::string>{native.controlCall});
        EXPECT_TRUE(jni.thrown.empty()) << native.controlCall << " threw " << jni.thrown.front();
        EXPECT_TRUE(jni.violations.empty()) << native.controlCall << ": " << jni.violations.front();
    }
}

}  // namespace
}  // namespace jvelweb::testing
