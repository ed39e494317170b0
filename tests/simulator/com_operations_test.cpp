// The operations through the IWebPlugin2 vtable: refusals with their error
// information, strings, the device, the page options, resources, and calls
// from several threads at once.
#include <functional>
#include <string>
#include <thread>
#include <vector>

#include "com_test_support.h"
#include "tests/support/ole_text.h"
#include "simulator/com/simulator_errors.h"

namespace velsim_test {
namespace {

using velsim::VELSIM_E_BAD_RESOURCE;
using velsim::VELSIM_E_DUPLICATE_NAME;
using velsim::VELSIM_E_NOT_SUPPORTED;
using velsim::VELSIM_E_UNKNOWN_EFFECT;
using velsim::VELSIM_E_UNREADABLE_RESOURCE;

struct Refusal {
    const char* label;
    std::function<HRESULT(IWebPlugin2&)> call;
    HRESULT hr;
    std::u16string description;
    const IID* declaringInterface;
};

std::ostream& operator<<(std::ostream& out, const Refusal& refusal)
{
    return out << refusal.label;
}

class RefusedOperation : public PluginTest, public testing::WithParamInterface<Refusal> {};

TEST_P(RefusedOperation, FailsWithItsCodeAndLeavesErrorInformation)
{
    VARIANT_BOOL made = VARIANT_FALSE;
    ASSERT_EQ(plugin->MakeConstant(Bstr(u"push"), &made), S_OK);
    ASSERT_EQ(plugin->MakeSpring(Bstr(u"spring"), 0, &made), S_OK);
    TakeErrorInfo();  // start from an empty slot

    const Refusal& refusal = GetParam();
    EXPECT_EQ(refusal.call(*plugin), refusal.hr);
    const ErrorReport report = TakeErrorInfo();
    ASSERT_TRUE(report.present);
    EXPECT_EQ(report.source, u"VelWeb Simulator");
    EXPECT_EQ(report.description, refusal.description) << Narrow(report.description);
    EXPECT_EQ(report.guid, *refusal.declaringInterface);
    LONG lastError = 0;
    ASSERT_EQ(plugin->GetLastError(&lastError), S_OK);
    EXPECT_EQ(lastError, refusal.hr);
}

VARIANT_BOOL flag;
LONG number;
BSTR text;

INSTANTIATE_TEST_SUITE_P(
    EveryKindOfRefusal, RefusedOperation,
    testing::Values(
        Refusal{"unknown effect", [](IWebPlugin2& p) { return p.StartEffect(Bstr(u"ghost"), 1, &flag); },
                VELSIM_E_UNKNOWN_EFFECT, u"No effect named 'ghost'", &IID_IWebPlugin},
        Refusal{"unknown effect in a query", [](IWebPlugin2& p) { return p.GetCenterX(Bstr(u"ghost"), 0, &number); },
                VELSIM_E_UNKNOWN_EFFECT, u"No effect named 'ghost'", &IID_IWebPlugin2},
        Refusal{"taken name", [](IWebPlugin2& p) { return p.MakeRamp(Bstr(u"push"), &flag); },
                VELSIM_E_DUPLICATE_NAME, u"An effect named 'push' already exists", &IID_IWebPlugin},
        Refusal{"parameter of another kind", [](IWebPlugin2& p) { return p.ChangeCenter(Bstr(u"push"), 0, 1, 2, &flag); },
                VELSIM_E_NOT_SUPPORTED, u"Constant effect 'push' has no parameter Center", &IID_IWebPlugin},
        Refusal{"change without a query, wrong kind",
                [](IWebPlugin2& p) { return p.ChangeViscosity(Bstr(u"spring"), 0, 5, &flag); }, VELSIM_E_NOT_SUPPORTED,
                u"Spring effect 'spring' has no parameter Viscosity", &IID_IWebPlugin},
        Refusal{"query of another kind", [](IWebPlugin2& p) { return p.GetWaveform(Bstr(u"spring"), 0, &number); },
                VELSIM_E_NOT_SUPPORTED, u"Spring effect 'spring' has no parameter Waveform", &IID_IWebPlugin2},
        Refusal{"value out of range", [](IWebPlugin2& p) { return p.ChangeGain(Bstr(u"push"), 0, 10001, &flag); },
                E_INVALIDARG, u"Gain must be between 0 and 10000, not 10001", &IID_IWebPlugin},
        Refusal{"second axis out of range",
                [](IWebPlugin2& p) { return p.ChangeSaturationY(Bstr(u"spring"), 0, 0, -1, &flag); }, E_INVALIDARG,
                u"SaturationY negative must be between 0 and 10000, not -1", &IID_IWebPlugin2},
        Refusal{"bad axis", [](IWebPlugin2& p) { return p.MakeGrid(Bstr(u"g"), 9, &flag); }, E_INVALIDARG,
                u"Axis must be 0 (both), 1 (X) or 2 (Y), not 9", &IID_IWebPlugin2},
        Refusal{"bad iterations", [](IWebPlugin2& p) { return p.StartEffect2(Bstr(u"push"), 0, 0, 0, &flag); },
                E_INVALIDARG, u"Iterations must be at least 1, or -1 for until stopped, not 0", &IID_IWebPlugin},
        Refusal{"bad selector", [](IWebPlugin2& p) { return p.GetNumberOfEffects(2, &number); }, E_INVALIDARG,
                u"Selection must be 0 (all effects) or 1 (playing effects), not 2", &IID_IWebPlugin},
        Refusal{"index out of range", [](IWebPlugin2& p) { return p.GetNameOfEffect(0, 2, &text); }, E_INVALIDARG,
                u"Index 2 is out of range: the effects counted are 2", &IID_IWebPlugin},
        Refusal{"unknown parameter name",
                [](IWebPlugin2& p) { return p.EffectSupportsGet(Bstr(u"push"), 0, Bstr(u"Colour"), &flag); },
                E_INVALIDARG, u"No parameter named 'Colour'", &IID_IWebPlugin2},
        Refusal{"missing resource",
                [](IWebPlugin2& p) { return p.OpenForceResource(Bstr(u"/nonexistent/x.vel"), &number); },
                VELSIM_E_UNREADABLE_RESOURCE, u"Resource '/nonexistent/x.vel' cannot be read", &IID_IWebPlugin},
        Refusal{"resource name with U+0000",
                [](IWebPlugin2& p) {
                    return p.OpenForceResource(Bstr(u"" VELWEB_SAMPLES_DIR "/demo.vel" + std::u16string(1, u'\0') +
                                                    u"/../x"),
                                               &number);
                },
                VELSIM_E_UNREADABLE_RESOURCE,
                u"Resource '" VELWEB_SAMPLES_DIR "/demo.vel\\u0000/../x' cannot be read: its name contains U+0000",
                &IID_IWebPlugin},
        Refusal{"operation not offered", [](IWebPlugin2& p) { return p.PauseEffect(Bstr(u"push"), 0, &flag); },
                E_NOTIMPL, u"PauseEffect is not available in the simulated plug-in", &IID_IWebPlugin},
        Refusal{"NULL result", [](IWebPlugin2& p) { return p.GetGain(Bstr(u"push"), 0, nullptr); }, E_POINTER,
                u"The result pointer is NULL", &IID_IWebPlugin2}));

TEST_F(PluginTest, EveryOperationTheLibraryNeverCallsIsNotImplemented)
{
    VARIANT_BOOL answer = VARIANT_TRUE;
    LONG value = 5;
    const Bstr name(u"e");
    EXPECT_EQ(plugin->MakeCompound(name, &answer), E_NOTIMPL);
    EXPECT_EQ(plugin->SaveForceResource(name, &answer), E_NOTIMPL);
    EXPECT_EQ(plugin->CloseForceResource(name, &answer), E_NOTIMPL);
    EXPECT_EQ(plugin->ResumeEffect(name, 0, &answer), E_NOTIMPL);
    EXPECT_EQ(plugin->DestroyEffect(name, &answer), E_NOTIMPL);
    EXPECT_EQ(plugin->SetDeviceFlag(1, &answer), E_NOTIMPL);
    EXPECT_EQ(plugin->ResetDevice(&answer), E_NOTIMPL);
    EXPECT_EQ(answer, VARIANT_FALSE);
    EXPECT_EQ(plugin->GetDeviceStatus(&value), E_NOTIMPL);
    EXPECT_EQ(plugin->GetDevicePosZ(&value), E_NOTIMPL);
    EXPECT_EQ(value, 0);
    EXPECT_EQ(TakeErrorInfo().description, u"GetDevicePosZ is not available in the simulated plug-in");
}

TEST_F(PluginTest, LastErrorStartsAtZeroAndSurvivesLaterSuccesses)
{
    LONG code = -1;
    ASSERT_EQ(plugin->GetLastError(&code), S_OK);
    EXPECT_EQ(code, 0);
    VARIANT_BOOL answer = VARIANT_FALSE;
    EXPECT_EQ(plugin->StopEffect(Bstr(u"none"), 0, &answer), VELSIM_E_UNKNOWN_EFFECT);
    ASSERT_EQ(plugin->MakeConstant(Bstr(u"fine"), &answer), S_OK);
    ASSERT_EQ(plugin->GetLastError(&code), S_OK);
    EXPECT_EQ(code, VELSIM_E_UNKNOWN_EFFECT);
}

TEST_F(PluginTest, NamesRoundTripExactlyAndOutputStringsAreFreedByTheCaller)
{
    TakeErrorInfo();
    const LONG stringsBefore = jvelweb::testing::LiveStrings();
    const std::u16string names[] = {u"\U0001D11E clef", u"na\u00EFve", u"Naive", u"naive"};
    for (const std::u16string& name : names) {
        VARIANT_BOOL made = VARIANT_FALSE;
        ASSERT_EQ(plugin->MakeConstant(Bstr(name), &made), S_OK);
        EXPECT_EQ(made, VARIANT_TRUE);
    }
    const std::u16string embedded(u"a\0b", 3);
    VARIANT_BOOL made = VARIANT_FALSE;
    ASSERT_EQ(plugin->MakeConstant(Bstr(embedded), &made), S_OK) << "an embedded zero is part of the name";
    for (LONG i = 0; i < 5; ++i) {
        BSTR name = nullptr;
        ASSERT_EQ(plugin->GetNameOfEffect(0, i, &name), S_OK);
        EXPECT_EQ(Take(name), i < 4 ? names[i] : embedded);
    }
    VARIANT_BOOL exists = VARIANT_TRUE;
    ASSERT_EQ(plugin->EffectExists(Bstr(u"NAIVE"), 0, &exists), S_OK);
    EXPECT_EQ(exists, VARIANT_FALSE);
    ASSERT_EQ(plugin->EffectExists(nullptr, 0, &exists), S_OK) << "NULL is the empty name";
    EXPECT_EQ(exists, VARIANT_FALSE);
    EXPECT_EQ(plugin->MakeConstant(nullptr, &made), E_INVALIDARG);
    TakeErrorInfo();  // the error object holds strings of its own
    EXPECT_LIVE(jvelweb::testing::LiveStrings(), stringsBefore);
}

TEST_F(PluginTest, PlaybackShowsInExistsAndTheEnumerationOfPlayingEffects)
{
    VARIANT_BOOL answer = VARIANT_FALSE;
    for (const char16_t* name : {u"one", u"two"}) ASSERT_EQ(plugin->MakePeriodic(Bstr(name), 2, &answer), S_OK);
    ASSERT_EQ(plugin->StartEffect(Bstr(u"two"), -1, &answer), S_OK);
    EXPECT_EQ(answer, VARIANT_TRUE);
    LONG playing = -1;
    ASSERT_EQ(plugin->GetNumberOfEffects(1, &playing), S_OK);
    EXPECT_EQ(playing, 1);
    BSTR name = nullptr;
    ASSERT_EQ(plugin->GetNameOfEffect(1, 0, &name), S_OK);
    EXPECT_EQ(Take(name), u"two");
    ASSERT_EQ(plugin->EffectExists(Bstr(u"one"), 1, &answer), S_OK);
    EXPECT_EQ(answer, VARIANT_FALSE);
    ASSERT_EQ(plugin->StopEffects(&answer), S_OK);
    EXPECT_EQ(answer, VARIANT_TRUE);
    ASSERT_EQ(plugin->EffectExists(Bstr(u"two"), 1, &answer), S_OK);
    EXPECT_EQ(answer, VARIANT_FALSE);
    ASSERT_EQ(plugin->EffectExists(Bstr(u"two"), 0, &answer), S_OK);
    EXPECT_EQ(answer, VARIANT_TRUE);
}

TEST_F(PluginTest, TheDemoResourceLoadsWithItsCompound)
{
    LONG loaded = -1;
    ASSERT_EQ(plugin->OpenForceResource(Bstr(u"" VELWEB_SAMPLES_DIR "/demo.vel"), &loaded), S_OK);
    EXPECT_EQ(loaded, 12);
    LONG count = -1, members = -1;
    ASSERT_EQ(plugin->GetNumberOfEffects(0, &count), S_OK);
    EXPECT_EQ(count, 12);
    ASSERT_EQ(plugin->GetNumberOfEffectsInCompound(Bstr(u"push and buzz"), 0, &members), S_OK);
    EXPECT_EQ(members, 2);
    BSTR member = nullptr, type = nullptr;
    ASSERT_EQ(plugin->GetNameOfEffectInCompound(Bstr(u"push and buzz"), 0, 1, &member), S_OK);
    EXPECT_EQ(Take(member), u"buzz");
    ASSERT_EQ(plugin->GetEffectTypeName(Bstr(u"push and buzz"), 0, &type), S_OK);
    EXPECT_EQ(Take(type), u"Compound");
    ASSERT_EQ(plugin->GetNameOfEffectInCompound(Bstr(u"pen"), 0, 0, &member), S_OK);
    EXPECT_EQ(Take(member), u"syrup");
    EXPECT_EQ(plugin->OpenForceResource(Bstr(u"" VELWEB_SAMPLES_DIR "/demo.vel"), &loaded), VELSIM_E_BAD_RESOURCE)
        << "its names are taken now";
    EXPECT_EQ(TakeErrorInfo().description,
              u"Resource '" VELWEB_SAMPLES_DIR "/demo.vel' line 5: An effect named 'push' already exists");
}

TEST_F(PluginTest, TheDeviceMovesAStepPerXReadAndTheScreenFollowsIt)
{
    VARIANT_BOOL attached = VARIANT_FALSE;
    ASSERT_EQ(plugin->VibronaDeviceAttached(&attached), S_OK);
    EXPECT_EQ(attached, VARIANT_TRUE);
    LONG x = 0, y = 0, screenX = 0, screenY = 0, cursorX = 0, cursorY = 0;
    ASSERT_EQ(plugin->GetDevicePosX(&x), S_OK);  // step 1: 3 degrees round a circle of 800
    ASSERT_EQ(plugin->GetDevicePosY(&y), S_OK);
    EXPECT_EQ(x, 799);
    EXPECT_EQ(y, 42);
    ASSERT_EQ(plugin->GetDevicePosY(&y), S_OK);
    EXPECT_EQ(y, 42) << "reading Y does not move the device";
    ASSERT_EQ(plugin->GetScreenPosX(&screenX), S_OK);  // step 2: (796, 84)
    ASSERT_EQ(plugin->GetScreenPosY(&screenY), S_OK);
    EXPECT_EQ(screenX, (796 + 1000) * 1919 / 2000);
    EXPECT_EQ(screenY, (84 + 1000) * 1079 / 2000);
    ASSERT_EQ(plugin->GetCursorPosX(&cursorX), S_OK);  // step 3: (790, 125)
    ASSERT_EQ(plugin->GetCursorPosY(&cursorY), S_OK);
    EXPECT_EQ(cursorX, (790 + 1000) * 1919 / 2000);
    EXPECT_EQ(cursorY, (125 + 1000) * 1079 / 2000);
}

TEST_F(PluginTest, DescribesItselfAsASimulatedMouse)
{
    LONG type = -1, technology = -1;
    ASSERT_EQ(plugin->GetDeviceType(&type), S_OK);
    ASSERT_EQ(plugin->GetDeviceTechnology(&technology), S_OK);
    EXPECT_EQ(type, 2);
    EXPECT_EQ(technology, 0);
    BSTR out = nullptr;
    ASSERT_EQ(plugin->GetDeviceTypeName(&out), S_OK);
    EXPECT_EQ(Take(out), u"Mouse");
    ASSERT_EQ(plugin->GetDeviceTechnologyName(&out), S_OK);
    EXPECT_EQ(Take(out), u"Simulation");
    ASSERT_EQ(plugin->GetDeviceProductName(&out), S_OK);
    EXPECT_EQ(Take(out), u"Vibrona Simulated Mouse");
    for (auto version : {&IWebPlugin2::GetPluginVersion, &IWebPlugin2::GetKorrinVersion, &IWebPlugin2::GetVelAPIVersion,
                         &IWebPlugin2::GetDXVersion, &IWebPlugin2::GetDriverVersion, &IWebPlugin2::GetTorvexVersion}) {
        ASSERT_EQ((plugin->*version)(&out), S_OK);
        const std::u16string text = Take(out);
        EXPECT_EQ(text.substr(text.size() - 4), u"-sim");
    }
    EXPECT_EQ(plugin->GetDeviceProductName(nullptr), E_POINTER);
}

TEST_F(PluginTest, PageOptionsAreRememberedAndAnyNonZeroIsOn)
{
    using Enable = HRESULT (STDMETHODCALLTYPE IWebPlugin2::*)(VARIANT_BOOL, VARIANT_BOOL*);
    using Read = HRESULT (STDMETHODCALLTYPE IWebPlugin2::*)(VARIANT_BOOL*);
    const std::pair<Enable, Read> options[] = {{&IWebPlugin2::EnableHyperlinks, &IWebPlugin2::GetHyperlinksEnabled},
                                               {&IWebPlugin2::EnableFormContent, &IWebPlugin2::GetFormContentEnabled}};
    for (const auto& [enable, read] : options) {
        VARIANT_BOOL state = VARIANT_FALSE, done = VARIANT_FALSE;
        ASSERT_EQ((plugin->*read)(&state), S_OK);
        EXPECT_EQ(state, VARIANT_TRUE) << "on at first";
        for (VARIANT_BOOL given : {0, 1, 0, -1, 0, 2}) {
            ASSERT_EQ((plugin->*enable)(given, &done), S_OK);
            EXPECT_EQ(done, VARIANT_TRUE);
            ASSERT_EQ((plugin->*read)(&state), S_OK);
            EXPECT_EQ(state, given != 0 ? VARIANT_TRUE : VARIANT_FALSE) << given;
        }
    }
    VARIANT_BOOL hyperlinks = VARIANT_TRUE;
    ASSERT_EQ(plugin->EnableHyperlinks(0, &hyperlinks), S_OK);
    ASSERT_EQ(plugin->GetHyperlinksEnabled(&hyperlinks), S_OK);
    VARIANT_BOOL forms = VARIANT_FALSE;
    ASSERT_EQ(plugin->GetFormContentEnabled(&forms), S_OK);
    EXPECT_EQ(hyperlinks, VARIANT_FALSE);
    EXPECT_EQ(forms, VARIANT_TRUE) << "the two options are separate";
}

TEST_F(PluginTest, ConcurrentCallsFromManyThreadsAreSafe)
{
    constexpr int kThreads = 4;
    constexpr int kEffectsEach = 200;
    std::vector<std::thread> threads;
    std::vector<int> mismatches(kThreads, 0);
    for (int t = 0; t < kThreads; ++t) {
        threads.emplace_back([&, t] {
            for (int i = 0; i < kEffectsEach; ++i) {
                const std::u16string name = u"t" + std::u16string(1, char16_t(u'0' + t)) + u"-" +
                                            std::u16string(1, char16_t(0x4E00 + i));
                VARIANT_BOOL answer = VARIANT_FALSE;
                LONG value = -1, position = 0;
                BSTR type = nullptr;
                const Bstr bstr(name);
                if (plugin->MakeSpring(bstr, 0, &answer) != S_OK) ++mismatches[t];
                if (plugin->ChangeCenter(bstr, 0, t, i, &answer) != S_OK) ++mismatches[t];
                if (plugin->StartEffect(bstr, 1, &answer) != S_OK) ++mismatches[t];
                if (plugin->GetCenterY(bstr, 0, &value) != S_OK || value != i) ++mismatches[t];
                if (plugin->GetEffectTypeName(bstr, 0, &type) != S_OK || Take(type) != u"Spring") ++mismatches[t];
                if (plugin->GetDevicePosX(&position) != S_OK) ++mismatches[t];
                if (plugin->StopEffects(&answer) != S_OK) ++mismatches[t];
                // A refusal in this thread leaves this thread's own description.
                const std::u16string missing = name + u"?";
                if (plugin->GetCenterX(Bstr(missing), 0, &value) != VELSIM_E_UNKNOWN_EFFECT) ++mismatches[t];
                if (TakeErrorInfo().description != u"No effect named '" + missing + u"'") ++mismatches[t];
            }
        });
    }
    for (std::thread& thread : threads) thread.join();
    for (int t = 0; t < kThreads; ++t) EXPECT_EQ(mismatches[t], 0) << "thread " << t;
    LONG count = -1;
    ASSERT_EQ(plugin->GetNumberOfEffects(0, &count), S_OK);
    EXPECT_EQ(count, kThreads * kEffectsEach);
}

}  // namespace
}  // namespace velsim_test
