// _jni_initialize and _jni_delete against a registered probe factory: the
// DeviceFlag the plug-in's Load sees, the slot's one reference, every failure
// path leaving nothing behind, and the property bag's lifetime.
#include <com_velmora_jvelweb_JVelWeb.h>
#include <gtest/gtest.h>

#ifndef _WIN32
#include <dlfcn.h>
#include <unistd.h>
#endif

#include <climits>
#include <cstdlib>
#include <optional>
#include <string>
#include <thread>
#include <vector>

#include "bridge/com_error.h"
#include "bridge/plugin_handle.h"
#include "tests/bridge/bridge_test_support.h"
#include "tests/support/failure_check.h"
#include "tests/support/fake_jni.h"
#include "tests/support/probe_plugin.h"
#include "tests/support/trace_capture.h"

namespace jvelweb::testing {
namespace {

using Lines = std::vector<std::string>;

class AcquisitionTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ClearPendingErrorInfo();
        ClearFailures();
        liveStrings_ = LiveStrings();
        CoInitialize(nullptr);  // the factory registers and revokes on an initialised thread
        factory_.emplace();
    }

    void TearDown() override
    {
        SetPlugin(nullptr, nullptr, nullptr);
        ClearPendingErrorInfo();
        // One more CoInitialize keeps the revoke working even when the test
        // undid the fixture's own.
        EXPECT_EQ(Hex(CoInitialize(nullptr)), Hex(S_FALSE)) << "more CoUninitialize than CoInitialize";
        factory_.reset();
        CoUninitialize();
        CoUninitialize();
        const HRESULT hr = CoInitialize(nullptr);
        CoUninitialize();
        EXPECT_EQ(Hex(hr), Hex(S_OK)) << "a CoInitialize was left without its CoUninitialize";
        EXPECT_LIVE(LiveStrings(), liveStrings_) << "BSTRs leaked";
    }

    jint Initialize(jint deviceFlag)
    {
        return Java_com_velmora_jvelweb_JVelWeb__1jni_1initialize(jni_.Env(), nullptr, deviceFlag);
    }
    jint Delete() { return Java_com_velmora_jvelweb_JVelWeb__1jni_1delete(jni_.Env(), nullptr); }
    IWebPlugin2* Held() { return GetPlugin(jni_.Env(), nullptr); }

    void ExpectAllProbesReleased()
    {
        for (size_t i = 0; i < factory_->Made().size(); ++i)
            EXPECT_EQ(factory_->Made()[i]->References(), 0u) << "probe " << i << " still referenced";
    }

    FakeJni jni_;
    TraceCapture trace_;
    std::optional<ProbeFactory> factory_;
    LONG liveStrings_ = 0;
};

class DeviceFlagTest : public AcquisitionTest, public ::testing::WithParamInterface<jint> {};

TEST_P(DeviceFlagTest, LoadSeesTheFlagAndTheSlotHoldsTheOnlyReference)
{
    ASSERT_EQ(Initialize(GetParam()), 0);
    EXPECT_TRUE(trace_.Lines().empty()) << trace_.Lines().front();
    ExpectNoFailure();
    ASSERT_EQ(factory_->Made().size(), 1u);
    ProbePlugin& probe = *factory_->Latest();
    EXPECT_EQ(probe.loadCalls, 1);
    EXPECT_EQ(Hex(probe.deviceFlagRead), Hex(S_OK));
    EXPECT_EQ(probe.deviceFlagType, VT_I4);
    EXPECT_EQ(probe.deviceFlag, GetParam());
    EXPECT_EQ(Held(), probe.Plugin());
    EXPECT_EQ(probe.References(), 1u);
    EXPECT_LIVE(LiveStrings(), liveStrings_) << "the bag or its name outlived _jni_initialize";

    EXPECT_EQ(Delete(), 0);
    EXPECT_EQ(probe.References(), 0u);
    EXPECT_EQ(Held(), nullptr);
}

INSTANTIATE_TEST_SUITE_P(Values, DeviceFlagTest, ::testing::Values(0, 5, -1, INT_MIN, INT_MAX));

TEST_F(AcquisitionTest, SecondInitializeKeepsTheFirstAndReinitializingMakesANewPlugin)
{
    ASSERT_EQ(Initialize(1), 0);
    ProbePlugin* first = factory_->Latest();
    EXPECT_EQ(Initialize(2), -1);
    EXPECT_TRUE(trace_.Lines().empty());
    ExpectOneFailure("_jni_initialize", FailureCause::AlreadyHeld, kAlreadyHeld);
    EXPECT_EQ(factory_->Made().size(), 1u) << "a second plug-in was made";
    EXPECT_EQ(Held(), first->Plugin());
    EXPECT_EQ(first->References(), 1u);
    EXPECT_EQ(first->deviceFlag, 1);

    EXPECT_EQ(Delete(), 0);
    ASSERT_EQ(Initialize(3), 0);
    ASSERT_EQ(factory_->Made().size(), 2u);
    ProbePlugin* second = factory_->Latest();
    EXPECT_NE(second, first);
    EXPECT_EQ(Held(), second->Plugin());
    EXPECT_EQ(second->deviceFlag, 3);
    EXPECT_EQ(first->References(), 0u);
    EXPECT_EQ(Delete(), 0);
    ExpectAllProbesReleased();
    EXPECT_EQ(Delete(), 0);  // balances the refused call's CoInitialize (TearDown counts)
}

// _jni_delete uninitialises COM only against a CoInitialize that
// _jni_initialize made on the same thread, one per delete; COM that another
// component initialised on a thread stays. TearDown checks this thread's count.
TEST_F(AcquisitionTest, DeleteUndoesOnlyTheComInitializationOfInitializeOnItsThread)
{
    EXPECT_EQ(Delete(), 0) << "nothing held";  // must leave the fixture's own CoInitialize alone
    EXPECT_EQ(Held(), nullptr);
    EXPECT_TRUE(trace_.Lines().empty());
    ExpectNoFailure();

    ASSERT_EQ(Initialize(1), 0);
    std::thread([] {
        FakeJni jni;
        ASSERT_EQ(Hex(CoInitialize(nullptr)), Hex(S_OK)) << "a new thread starts without COM";
        EXPECT_EQ(Java_com_velmora_jvelweb_JVelWeb__1jni_1delete(jni.Env(), nullptr), 0);
        EXPECT_EQ(Hex(CoInitialize(nullptr)), Hex(S_FALSE)) << "_jni_delete undid this thread's own CoInitialize";
        CoUninitialize();
        CoUninitialize();
    }).join();
    EXPECT_EQ(Held(), nullptr);
    ExpectAllProbesReleased();
    EXPECT_EQ(Delete(), 0);  // balances _jni_initialize's CoInitialize on this thread
}

TEST_F(AcquisitionTest, BagLivesThroughLoadAndAsLongAsThePluginKeepsIt)
{
    factory_->configure = [](ProbePlugin& probe) {
        probe.touchesBagDuringLoad = true;
        probe.offersRunnableObject = true;  // and runs
    };
    ASSERT_EQ(Initialize(9), 0);
    EXPECT_EQ(Hex(factory_->Latest()->deviceFlagRead), Hex(S_OK)) << "the bag did not survive a touch in Load";
    EXPECT_EQ(factory_->Latest()->deviceFlag, 9);
    EXPECT_LIVE(LiveStrings(), liveStrings_) << "the bag outlived _jni_initialize";
    EXPECT_EQ(Delete(), 0);

    factory_->configure = [](ProbePlugin& probe) { probe.keepsBag = true; };
    ASSERT_EQ(Initialize(10), 0);
    EXPECT_EQ(factory_->Latest()->deviceFlag, 10);
    EXPECT_LIVE(LiveStrings(), liveStrings_ + 1) << "the bag the plug-in keeps holds its one name";
    EXPECT_EQ(Delete(), 0);
    EXPECT_LIVE(LiveStrings(), liveStrings_ + 1);
    factory_.reset();  // the probes die and give the bag back
    EXPECT_LIVE(LiveStrings(), liveStrings_) << "the kept bag was not freed by its last Release";
}

// Where CLSID_VelWebPlugin comes from: the probe factory, nowhere, or (on the
// portable layer) a per-user registration naming a module that does not exist.
enum class Source { Probe, Unregistered, MissingModule };

// What the failure record's source and description say: nothing (no error
// information), the COM layer's reason for a failed creation (on Windows,
// whose COM gives none, where the registration is looked up), or where the
// registration is looked up.
enum class Described { Nothing, ByLayer, WhereLookedUp };

struct FailureRow {
    const char* name;
    Source source;
    HRESULT createResult;
    void (*configure)(ProbePlugin&);
    const char* hex;
    const char* message;
    size_t probesMade;
    int loadCalls;
    Described described;
};

const FailureRow kFailures[] = {
    {"NotRegistered", Source::Unregistered, S_OK, nullptr, "80040154", "Class not registered", 0, 0,
     Described::ByLayer},
#ifndef _WIN32
    // Windows answers the same for a registered module that is missing; Wine
    // tries the other server kinds after it and answers "class not registered".
    {"ModuleMissing", Source::MissingModule, S_OK, nullptr, "8007007e", "The specified module could not be found.",
     0, 0, Described::ByLayer},
#endif
    {"CreateFails", Source::Probe, CLASS_E_CLASSNOTAVAILABLE, nullptr, "80040111", "ClassFactory cannot supply requested class",
     0, 0, Described::WhereLookedUp},
    {"RunFails", Source::Probe, S_OK,
     [](ProbePlugin& p) {
         p.offersRunnableObject = true;
         p.runResult = E_UNEXPECTED;
     },
     "8000ffff", "Catastrophic failure", 1, 0, Described::Nothing},
    {"NoWebPlugin2", Source::Probe, S_OK, [](ProbePlugin& p) { p.offersWebPlugin2 = false; }, "80004002",
     "No such interface supported", 1, 0, Described::Nothing},
    {"NoPersistPropertyBag", Source::Probe, S_OK, [](ProbePlugin& p) { p.offersPersistPropertyBag = false; }, "80004002",
     "No such interface supported", 1, 0, Described::Nothing},
    {"LoadFails", Source::Probe, S_OK,
     [](ProbePlugin& p) {
         p.loadResult = DISP_E_TYPEMISMATCH;
         p.touchesBagDuringLoad = true;
     },
     "80020005", "Type mismatch.", 1, 1, Described::Nothing},
    {"LoadFailsInDispatchRange", Source::Probe, S_OK, [](ProbePlugin& p) { p.loadResult = HRESULT(0x80040205); }, "80040205",
     "IDispatch error #5", 1, 1, Described::Nothing},
};

#ifdef _WIN32
// Whether a plug-in is registered in the system registry, which these tests
// only read.
bool PluginRegistered()
{
    HKEY key = nullptr;
    if (RegOpenKeyExA(HKEY_CLASSES_ROOT, "CLSID\\{18B46DCC-AD84-47A3-8974-433DC96BACB6}", 0, KEY_READ, &key) !=
        ERROR_SUCCESS)
        return false;
    RegCloseKey(key);
    return true;
}
#else
// Points HOME at an empty temporary directory, so the layer's per-user
// registry starts empty, and puts everything back afterwards.
class TemporaryHome {
public:
    TemporaryHome()
    {
        const char* home = std::getenv("HOME");
        hadHome_ = home != nullptr;
        if (hadHome_) saved_ = home;
        char pattern[] = "/tmp/jvelweb-bridge-home-XXXXXX";
        if (mkdtemp(pattern) != nullptr) directory_ = pattern;
        setenv("HOME", directory_.c_str(), 1);
    }
    ~TemporaryHome()
    {
        JVelComUnregisterServer(CLSID_VelWebPlugin);
        rmdir((directory_ + "/.jvelcom/classes").c_str());
        rmdir((directory_ + "/.jvelcom").c_str());
        rmdir(directory_.c_str());
        if (hadHome_)
            setenv("HOME", saved_.c_str(), 1);
        else
            unsetenv("HOME");
    }

private:
    bool hadHome_ = false;
    std::string saved_;
    std::string directory_;
};

// The registration a build bundles beside libjvelcom (the simulated plug-in).
bool PluginRegistered()
{
    Dl_info module{};
    if (dladdr(reinterpret_cast<void*>(&SysAllocString), &module) == 0 || module.dli_fname == nullptr) return false;
    std::string path = module.dli_fname;
    path = path.substr(0, path.rfind('/') + 1) + "jvelcom-classes/{18B46DCC-AD84-47A3-8974-433DC96BACB6}";
    return access(path.c_str(), F_OK) == 0;
}
#endif

// The report's message line, whose text on Windows, and so in the portable
// layer, is `windowsText`. The system's COM elsewhere has its own wording or
// none (Wine has both): there the line is whatever _com_error makes of the
// system's text, which com_error_test checks against the system.
std::string ReportMessage(const char* hex, const char* windowsText)
{
#ifdef _WIN32
    (void)windowsText;
    return _com_error(HRESULT(std::strtoul(hex, nullptr, 16)), nullptr).Message();
#else
    (void)hex;
    return windowsText;
#endif
}

class AcquisitionFailure : public AcquisitionTest, public ::testing::WithParamInterface<FailureRow> {
protected:
    // The record of the refusal: a COM error, its source and description
    // only where COM or the library could say why the plug-in was not made.
    void ExpectRecord(const FailureRow& row)
    {
        const HRESULT hr = HRESULT(std::strtoul(row.hex, nullptr, 16));
        Described described = row.described;
#ifdef _WIN32
        if (described == Described::ByLayer) described = Described::WhereLookedUp;
#endif
        const char* const lookedUp = "Class {18B46DCC-AD84-47A3-8974-433DC96BACB6} is looked up in "
                                     "HKCR\\CLSID\\{18B46DCC-AD84-47A3-8974-433DC96BACB6}\\InprocServer32";
        if (described != Described::ByLayer) {
            ExpectOneFailure("_jni_initialize", FailureCause::ComError, hr, nullptr,
                             described == Described::WhereLookedUp ? lookedUp : nullptr);
            return;
        }
        ASSERT_NE(LastFailure(), nullptr);
        const FailureRecord& record = *LastFailure();
        EXPECT_EQ(static_cast<unsigned>(record.hresult), static_cast<unsigned>(hr));
        EXPECT_EQ(Shown(record.source), "jvelcom");
        const std::string description = Shown(record.description);
        EXPECT_NE(description.find("{18B46DCC-AD84-47A3-8974-433DC96BACB6}"), std::string::npos) << description;
        if (row.source == Source::MissingModule) {
            // The module tried, and why it was not loaded.
            EXPECT_NE(description.find("/nonexistent/libvelweb-missing.so"), std::string::npos) << description;
            EXPECT_NE(description.find("does not exist"), std::string::npos) << description;
        }
        EXPECT_FALSE(ClearPendingErrorInfo()) << "the layer's error information was left on the thread";
    }
};

TEST_P(AcquisitionFailure, ReturnsMinusOneReportsAndLeavesNothingBehind)
{
    const FailureRow& row = GetParam();
#ifndef _WIN32
    TemporaryHome home;  // no per-user registration of the machine's user interferes
#endif
    if (row.source == Source::Unregistered && PluginRegistered())
        GTEST_SKIP() << "a plug-in is registered on this machine; the class cannot be unregistered here";
#ifndef _WIN32
    if (row.source == Source::MissingModule) {
        ASSERT_EQ(Hex(JVelComRegisterServer(CLSID_VelWebPlugin, "/nonexistent/libvelweb-missing.so")), Hex(S_OK));
    }
#endif
    if (row.source != Source::Probe) {
        factory_.reset();
    } else {
        factory_->createResult = row.createResult;
        factory_->configure = row.configure;
    }

    EXPECT_EQ(Initialize(7), -1);
    // The report as it always was, then the line naming the method with the
    // failure record's description (the registration, module and reason).
    const FailureRecord* record = LastFailure();
    ASSERT_NE(record, nullptr);
    const std::string named = "JVelWeb: _jni_initialize failed" +
                              (record->description.Present() ? ": " + Shown(record->description) : std::string());
    EXPECT_EQ(trace_.Lines(), (Lines{"Could not acquire VelWeb plugin!", " ", "JVelWeb COM Exception:", row.hex,
                                     ReportMessage(row.hex, row.message), "(null)", "(null)", named}));
    EXPECT_EQ(Held(), nullptr);
    EXPECT_EQ(Delete(), 0);  // balances the failed call's CoInitialize (TearDown counts)
    EXPECT_LIVE(LiveStrings(), liveStrings_) << "BSTRs leaked";
    ExpectRecord(row);
    if (factory_) {
        EXPECT_EQ(factory_->Made().size(), row.probesMade);
        if (factory_->Latest() != nullptr) {
            EXPECT_EQ(factory_->Latest()->loadCalls, row.loadCalls);
        }
        ExpectAllProbesReleased();
    }
}

INSTANTIATE_TEST_SUITE_P(Paths, AcquisitionFailure, ::testing::ValuesIn(kFailures),
                         [](const ::testing::TestParamInfo<FailureRow>& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace jvelweb::testing
