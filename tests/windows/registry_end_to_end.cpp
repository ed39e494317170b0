// The whole path on Windows: the natives, through the system's COM, reach the
// simulated plug-in that regsvr32 registered in the system registry, and
// report "class not registered" once regsvr32 /u has removed it.
//
// Run in two steps around the registration (scripts/run-windows-tests does):
//   regsvr32 velwebsim.dll;    registry_end_to_end --gtest_filter=Registered*
//   regsvr32 /u velwebsim.dll; registry_end_to_end --gtest_filter=Unregistered*
// Each step first checks that the registry is as it expects.
#include <com_velmora_jvelweb_JVelWeb.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/com.h"
#include "tests/support/fake_jni.h"
#include "tests/support/trace_capture.h"

namespace jvelweb::testing {
namespace {

using Lines = std::vector<std::string>;

const char kServerKey[] = "CLSID\\{18B46DCC-AD84-47A3-8974-433DC96BACB6}\\InprocServer32";

// The registered in-process server of the plug-in's class ("" for none).
std::string RegisteredServer()
{
    char path[MAX_PATH] = "";
    DWORD bytes = sizeof path - 1;
    if (RegGetValueA(HKEY_CLASSES_ROOT, kServerKey, nullptr, RRF_RT_REG_SZ, nullptr, path, &bytes) != ERROR_SUCCESS)
        return "";
    return path;
}

bool EndsWith(const std::string& text, const std::string& end)
{
    return text.size() >= end.size() && text.compare(text.size() - end.size(), end.size(), end) == 0;
}

// A report's message line: the system's text without its line break where it
// has one (Windows' and Wine's wordings differ), else the report's fallback.
std::string ReportMessage(HRESULT hr, const std::string& fallback)
{
    char text[512] = "";
    DWORD length = FormatMessageA(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr, DWORD(hr),
                                  MAKELANGID(LANG_NEUTRAL, SUBLANG_DEFAULT), text, sizeof text, nullptr);
    if (length == 0) return fallback;
    if (length >= 2 && text[length - 2] == '\r') length -= 2;
    return std::string(text, length);
}

class EndToEnd : public ::testing::Test {
protected:
    jstring S(const std::string& text) { return jni_.NewJavaString(text); }
    // The text of a String the library made; "<null>" for a null result.
    std::string Text(jstring made)
    {
        if (made == nullptr) return "<null>";
        EXPECT_TRUE(jni_.MadeByLibrary(made));
        return jni_.TextOf(made);
    }
    void TearDown() override
    {
        EXPECT_TRUE(jni_.violations.empty()) << jni_.violations.front();
    }

    FakeJni jni_;
    JNIEnv* env_ = jni_.Env();
    TraceCapture trace_;
};

using Registered = EndToEnd;

TEST_F(Registered, EveryShapeOfNativeReachesTheSimulatorThroughTheRegistry)
{
    const std::string server = RegisteredServer();
    ASSERT_TRUE(EndsWith(server, "\\velwebsim.dll")) << "run regsvr32 velwebsim.dll first; registered: " << server;

    ASSERT_EQ(Java_com_velmora_jvelweb_JVelWeb__1jni_1initialize(env_, nullptr, 42), 0);
    EXPECT_EQ(trace_.Lines(), Lines{});

    // No arguments: boolean, int and String results.
    EXPECT_EQ(Java_com_velmora_jvelweb_JVelWeb_VibronaDeviceAttached(env_, nullptr), JNI_TRUE);
    EXPECT_EQ(Java_com_velmora_jvelweb_JVelWeb_GetDeviceFlag(env_, nullptr), 42) << "the bag reached Load";
    EXPECT_EQ(Java_com_velmora_jvelweb_JVelWeb_GetDeviceType(env_, nullptr), 2);
    EXPECT_EQ(Text(Java_com_velmora_jvelweb_JVelWeb_GetDeviceProductName(env_, nullptr)), "Vibrona Simulated Mouse");
    EXPECT_EQ(Text(Java_com_velmora_jvelweb_JVelWeb_GetPluginVersion(env_, nullptr)), JVELWEB_VERSION "-sim");

    // A name; a name and an int; non-ASCII text both ways.
    const std::string cafe = "caf\xC3\xA9 \xED\xA0\xBD\xED\xB8\x80";  // modified UTF-8 of "café 😀"
    EXPECT_EQ(Java_com_velmora_jvelweb_JVelWeb_MakeConstant(env_, nullptr, S(cafe)), JNI_TRUE);
    EXPECT_EQ(Java_com_velmora_jvelweb_JVelWeb_MakeSpring(env_, nullptr, S("spring"), 1), JNI_TRUE);
    EXPECT_EQ(Java_com_velmora_jvelweb_JVelWeb_MakeEnclosure(env_, nullptr, S("box")), JNI_TRUE);
    EXPECT_EQ(Java_com_velmora_jvelweb_JVelWeb_GetAxis(env_, nullptr, S("spring"), 0), 1);
    EXPECT_EQ(Java_com_velmora_jvelweb_JVelWeb_ChangeGain(env_, nullptr, S("spring"), 0, 2500), JNI_TRUE);
    EXPECT_EQ(Java_com_velmora_jvelweb_JVelWeb_GetGain(env_, nullptr, S("spring"), 0), 2500);
    EXPECT_EQ(Text(Java_com_velmora_jvelweb_JVelWeb_GetEffectTypeName(env_, nullptr, S("spring"), 0)), "Spring");

    // Ints only.
    EXPECT_EQ(Java_com_velmora_jvelweb_JVelWeb_GetNumberOfEffects(env_, nullptr, 0), 3);
    EXPECT_EQ(Text(Java_com_velmora_jvelweb_JVelWeb_GetNameOfEffect(env_, nullptr, 0, 0)), cafe);
    EXPECT_EQ(Text(Java_com_velmora_jvelweb_JVelWeb_GetNameOfEffect(env_, nullptr, 0, 1)), "spring");

    // Two names.
    EXPECT_EQ(Java_com_velmora_jvelweb_JVelWeb_ChangeInsideEffect(env_, nullptr, S("box"), 0, S(cafe), 0), JNI_TRUE);
    EXPECT_EQ(Text(Java_com_velmora_jvelweb_JVelWeb_GetNameOfEffectInCompound(env_, nullptr, S("box"), 0, 0)), cafe);
    EXPECT_EQ(
        Java_com_velmora_jvelweb_JVelWeb_EffectSupportsGet(env_, nullptr, S("spring"), 0, S("CoefficientNegativeY")),
        JNI_TRUE);
    EXPECT_EQ(Java_com_velmora_jvelweb_JVelWeb_EffectSupportsChange(env_, nullptr, S(cafe), 0, S("Center")),
              JNI_FALSE);

    // A boolean argument, both ways.
    EXPECT_EQ(Java_com_velmora_jvelweb_JVelWeb_EnableHyperlinks(env_, nullptr, JNI_FALSE), JNI_TRUE);
    EXPECT_EQ(Java_com_velmora_jvelweb_JVelWeb_GetHyperlinksEnabled(env_, nullptr), JNI_FALSE);
    EXPECT_EQ(Java_com_velmora_jvelweb_JVelWeb_EnableHyperlinks(env_, nullptr, JNI_TRUE), JNI_TRUE);
    EXPECT_EQ(Java_com_velmora_jvelweb_JVelWeb_GetHyperlinksEnabled(env_, nullptr), JNI_TRUE);
    EXPECT_EQ(trace_.Lines(), Lines{}) << "a call that succeeded was reported";

    // A refusal carries the plug-in's error object through the system's COM.
    EXPECT_EQ(Java_com_velmora_jvelweb_JVelWeb_StartEffect(env_, nullptr, S("nobody"), 1), JNI_FALSE);
    EXPECT_EQ(trace_.Lines(), (Lines{" ", "JVelWeb COM Exception:", "80040a01",
                                     ReportMessage(HRESULT(0x80040A01), "IDispatch error #2049"), "VelWeb Simulator",
                                     "No effect named 'nobody'",
                                     "JVelWeb: StartEffect failed: No effect named 'nobody'"}));
    EXPECT_EQ(Java_com_velmora_jvelweb_JVelWeb_GetLastError(env_, nullptr), int(0x80040A01));

    EXPECT_EQ(Java_com_velmora_jvelweb_JVelWeb__1jni_1delete(env_, nullptr), 0);
    EXPECT_EQ(Java_com_velmora_jvelweb_JVelWeb_VibronaDeviceAttached(env_, nullptr), JNI_FALSE) << "no plug-in held";
}

// jvelweb.dll as a JVM loads it: by LoadLibrary, its natives found by their
// plain JNI names.
TEST_F(Registered, TheBuiltDllExportsNativesAJvmFinds)
{
    ASSERT_TRUE(EndsWith(RegisteredServer(), "\\velwebsim.dll")) << "run regsvr32 velwebsim.dll first";
    HMODULE library = LoadLibraryA("jvelweb.dll");
    ASSERT_NE(library, nullptr) << "error " << GetLastError();
    using Initialize = jint(JNICALL*)(JNIEnv*, jobject, jint);
    using NoArguments = jint(JNICALL*)(JNIEnv*, jobject);
    const auto find = [library](const char* name) { return reinterpret_cast<void*>(GetProcAddress(library, name)); };
    const auto initialize = reinterpret_cast<Initialize>(find("Java_com_velmora_jvelweb_JVelWeb__1jni_1initialize"));
    const auto deviceFlag = reinterpret_cast<NoArguments>(find("Java_com_velmora_jvelweb_JVelWeb_GetDeviceFlag"));
    const auto release = reinterpret_cast<NoArguments>(find("Java_com_velmora_jvelweb_JVelWeb__1jni_1delete"));
    ASSERT_NE(initialize, nullptr);
    ASSERT_NE(deviceFlag, nullptr);
    ASSERT_NE(release, nullptr);
    EXPECT_EQ(initialize(env_, nullptr, 7), 0);
    EXPECT_EQ(deviceFlag(env_, nullptr), 7);
    EXPECT_EQ(release(env_, nullptr), 0);
    EXPECT_EQ(deviceFlag(env_, nullptr), -99) << "no plug-in held";
    FreeLibrary(library);
}

using Unregistered = EndToEnd;

TEST_F(Unregistered, InitializeFailsWithClassNotRegisteredAndReportsIt)
{
    ASSERT_EQ(RegisteredServer(), "") << "run regsvr32 /u velwebsim.dll first";

    EXPECT_EQ(Java_com_velmora_jvelweb_JVelWeb__1jni_1initialize(env_, nullptr, 42), -1);
    EXPECT_EQ(trace_.Lines(),
              (Lines{"Could not acquire VelWeb plugin!", " ", "JVelWeb COM Exception:", "80040154",
                     ReportMessage(REGDB_E_CLASSNOTREG, "Unknown error 0x80040154"), "(null)", "(null)",
                     "JVelWeb: _jni_initialize failed: Class {18B46DCC-AD84-47A3-8974-433DC96BACB6} is looked up in "
                     "HKCR\\CLSID\\{18B46DCC-AD84-47A3-8974-433DC96BACB6}\\InprocServer32"}));
    trace_.Clear();
    EXPECT_EQ(Java_com_velmora_jvelweb_JVelWeb_VibronaDeviceAttached(env_, nullptr), JNI_FALSE) << "no plug-in held";
    EXPECT_EQ(trace_.Lines(), (Lines{"JVelWeb: VibronaDeviceAttached called with no plug-in held; call "
                                     "_jni_initialize first"}));
    EXPECT_EQ(Java_com_velmora_jvelweb_JVelWeb__1jni_1delete(env_, nullptr), 0);
}

}  // namespace
}  // namespace jvelweb::testing
