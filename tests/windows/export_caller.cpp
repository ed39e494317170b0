// jvelweb.dll as a JVM on Windows uses it: loaded with LoadLibrary, each of
// its 146 natives found by its plain JNI name with GetProcAddress and called
// through a pointer of its exact JNICALL type, against the simulated plug-in
// that regsvr32 registered. In the 32-bit build this is the proof that the
// calling convention, the argument sizes and the structure layouts agree with
// a 32-bit JVM's and COM's: a mismatch shows as a wrong answer or a crash.
//
// Every native is called with no plug-in held (its failure value), in a
// scripted session whose answers come from the simulated plug-in's documented
// behaviour, on an unknown effect (a refusal and its error code), and with a
// null name. Run after "regsvr32 velwebsim.dll" in the folder of the DLLs;
// the exit status is the number of failed checks (capped at 100).
#include <com_velmora_jvelweb_JVelWeb.h>

#include <cstdio>
#include <map>
#include <set>
#include <string>
#include <type_traits>
#include <utility>
#include <vector>

#include "platform/com.h"
#include "tests/natives/native_list.h"
#include "tests/natives/native_table.h"
#include "tests/windows/abi_checks.h"
#include "tests/windows/text_jni.h"

namespace jvelweb::testing {
namespace {

constexpr char kPrefix[] = "Java_com_velmora_jvelweb_JVelWeb_";
constexpr jint kFailureNumber = -99;
constexpr HRESULT kUnknownEffect = HRESULT(0x80040A01);
constexpr HRESULT kDuplicateName = HRESULT(0x80040A02);
constexpr HRESULT kNotSupported = HRESULT(0x80040A03);
constexpr HRESULT kUnreadableResource = HRESULT(0x80040A05);
constexpr HRESULT kInvalidArgument = E_INVALIDARG;

// "café 😀": a Latin-1 letter and a supplementary character (two UTF-16 units).
const std::u16string kCafe = u"caf\u00E9 \U0001F600";
const std::u16string kVersion = TextJni::FromModifiedUtf8(JVELWEB_VERSION "-sim");

// An argument as Java passes it.
struct Arg {
    JavaType type;
    std::u16string text;
    jint number = 0;
    bool isNull = false;
};
Arg S(std::u16string text) { return Arg{JavaType::String, std::move(text), 0, false}; }
Arg I(jint number) { return Arg{JavaType::Int, {}, number, false}; }
Arg B(bool flag) { return Arg{JavaType::Boolean, {}, flag ? 1 : 0, false}; }

// What a call must give: a value of the native's result type, a value within
// bounds, or the failure value with the plug-in's error code (0: none asked).
struct Expect {
    enum Kind { Value, Within, Failure } kind = Value;
    jint number = 0;
    jint high = 0;
    std::u16string text;
    HRESULT error = 0;
};
Expect Is(bool flag)
{
    Expect expect;
    expect.number = flag ? 1 : 0;
    return expect;
}
template <class N, std::enable_if_t<std::is_integral_v<N> && !std::is_same_v<N, bool>, int> = 0>
Expect Is(N number)
{
    Expect expect;
    expect.number = jint(number);
    return expect;
}
Expect Is(std::u16string text)
{
    Expect expect;
    expect.text = std::move(text);
    return expect;
}
Expect Is(const char16_t* text) { return Is(std::u16string(text)); }
Expect Within(jint low, jint high)
{
    Expect expect;
    expect.kind = Expect::Within;
    expect.number = low;
    expect.high = high;
    return expect;
}
Expect Refused(HRESULT error)
{
    Expect expect;
    expect.kind = Expect::Failure;
    expect.error = error;
    return expect;
}

struct Step {
    const char* native;
    std::vector<Arg> args;
    Expect expect;
};

std::string Narrow(const std::u16string& text) { return TextJni::ToModifiedUtf8(text); }

class ExportCaller {
public:
    explicit ExportCaller(HMODULE library) : library_(library)
    {
#define JVELWEB_RESOLVE(name, slot, iface) Resolve<decltype(&Java_com_velmora_jvelweb_JVelWeb_##name)>(#name);
        JVELWEB_NATIVES(JVELWEB_RESOLVE)
#undef JVELWEB_RESOLVE
        initialize_ = Find<decltype(&Java_com_velmora_jvelweb_JVelWeb__1jni_1initialize)>("_1jni_1initialize");
        release_ = Find<decltype(&Java_com_velmora_jvelweb_JVelWeb__1jni_1delete)>("_1jni_1delete");
    }

    int failures = 0;
    std::set<std::string> called;

    void Check(bool ok, const std::string& what)
    {
        if (ok) return;
        ++failures;
        std::printf("FAILED: %s\n", what.c_str());
    }

    size_t Resolved() const { return natives_.size() + (initialize_ != nullptr) + (release_ != nullptr); }
    const std::map<std::string, BoundNative>& Natives() const { return natives_; }

    jint Initialize(jint deviceFlag)
    {
        called.insert("_jni_initialize");
        return initialize_(jni_.Env(), nullptr, deviceFlag);
    }
    jint Release()
    {
        called.insert("_jni_delete");
        return release_(jni_.Env(), nullptr);
    }

    // The plug-in's most recent error code, through the GetLastError native.
    HRESULT LastError() { return HRESULT(Call("GetLastError", {}).number); }

    NativeResult Call(const std::string& name, const std::vector<Arg>& args)
    {
        const BoundNative& native = natives_.at(name);
        std::vector<JavaValue> values;
        for (const Arg& arg : args) {
            JavaValue value;
            value.string = arg.type == JavaType::String && !arg.isNull ? jni_.NewJavaString(arg.text) : nullptr;
            value.number = arg.number;
            value.flag = jboolean(arg.number);
            values.push_back(value);
        }
        called.insert(name);
        const NativeResult result = native.call(jni_.Env(), values);
        for (const std::string& violation : jni_.violations) Check(false, name + ": " + violation);
        jni_.violations.clear();
        Check(jni_.outstanding == 0, name + ": characters not given back");
        return result;
    }

    // Runs one step and checks its answer; the step must fit the native's
    // parameter types, so a row written against the wrong native fails.
    void Run(const Step& step)
    {
        const std::string label = Describe(step);
        const auto found = natives_.find(step.native);
        if (found == natives_.end()) return Check(false, label + ": no such native");
        const auto& parameters = found->second.parameters;
        bool fits = parameters.size() == step.args.size();
        for (size_t i = 0; fits && i < parameters.size(); ++i) fits = parameters[i] == step.args[i].type;
        if (!fits) return Check(false, label + ": arguments do not fit the native's parameters");

        const NativeResult result = Call(step.native, step.args);
        const Expect& expect = step.expect;
        switch (expect.kind) {
        case Expect::Value: Check(Matches(result, expect), label + " gave " + Show(result)); break;
        case Expect::Within:
            Check(result.number >= expect.number && result.number <= expect.high, label + " gave " + Show(result));
            break;
        case Expect::Failure:
            Check(IsFailureValue(result), label + " gave " + Show(result) + ", not the failure value");
            if (expect.error != 0) {
                const HRESULT error = LastError();
                Check(error == expect.error, label + ": last error " + Hex(error) + ", not " + Hex(expect.error));
            }
            break;
        }
    }

    bool IsFailureValue(const NativeResult& result)
    {
        switch (result.type) {
        case JavaType::Boolean: return result.flag == JNI_FALSE;
        case JavaType::Int: return result.number == kFailureNumber;
        case JavaType::String:
            return result.string != nullptr && jni_.MadeByLibrary(result.string) && jni_.TextOf(result.string).empty();
        }
        return false;
    }

private:
    template <class Pointer>
    Pointer Find(const std::string& name)
    {
        static_assert(IsJniCall(Pointer{}), "a native is not JNICALL (__stdcall in 32-bit)");
        const auto address = GetProcAddress(library_, (kPrefix + name).c_str());
        Check(address != nullptr, "GetProcAddress found no " + std::string(kPrefix) + name);
        return reinterpret_cast<Pointer>(reinterpret_cast<void*>(address));
    }

    template <class Pointer>
    void Resolve(const std::string& name)
    {
        if (const Pointer native = Find<Pointer>(name)) natives_.emplace(name, Bind(native));
    }

    bool Matches(const NativeResult& result, const Expect& expect)
    {
        switch (result.type) {
        case JavaType::Boolean: return result.flag == jboolean(expect.number);
        case JavaType::Int: return result.number == expect.number;
        case JavaType::String:
            return result.string != nullptr && jni_.MadeByLibrary(result.string) &&
                   jni_.TextOf(result.string) == expect.text;
        }
        return false;
    }

    std::string Show(const NativeResult& result)
    {
        switch (result.type) {
        case JavaType::Boolean: return result.flag ? "true" : "false";
        case JavaType::Int: return std::to_string(result.number);
        case JavaType::String: return result.string == nullptr ? "null" : '"' + Narrow(jni_.TextOf(result.string)) + '"';
        }
        return "?";
    }

    static std::string Hex(HRESULT code)
    {
        char text[16];
        std::snprintf(text, sizeof text, "%08lx", static_cast<unsigned long>(code));
        return text;
    }

    static std::string Describe(const Step& step)
    {
        std::string text = std::string(step.native) + "(";
        for (size_t i = 0; i < step.args.size(); ++i) {
            const Arg& arg = step.args[i];
            if (i > 0) text += ", ";
            if (arg.type == JavaType::String) text += arg.isNull ? "null" : '"' + Narrow(arg.text) + '"';
            else if (arg.type == JavaType::Int) text += std::to_string(arg.number);
            else text += arg.number ? "true" : "false";
        }
        return text + ")";
    }

    HMODULE library_;
    TextJni jni_;
    std::map<std::string, BoundNative> natives_;
    decltype(&Java_com_velmora_jvelweb_JVelWeb__1jni_1initialize) initialize_ = nullptr;
    decltype(&Java_com_velmora_jvelweb_JVelWeb__1jni_1delete) release_ = nullptr;
};

// Arguments for a native's parameters: `name` for the first String (the
// effect) and the parameter name "Gain" for a later one, `number` for each
// int, true for each boolean.
std::vector<Arg> ArgumentsFor(const BoundNative& native, const Arg& name, jint number)
{
    std::vector<Arg> args;
    for (JavaType type : native.parameters) {
        if (type == JavaType::String) args.push_back(args.empty() || args[0].type != JavaType::String ? name : S(u"Gain"));
        else if (type == JavaType::Int) args.push_back(I(number));
        else args.push_back(B(true));
    }
    return args;
}

bool TakesString(const BoundNative& native)
{
    for (JavaType type : native.parameters)
        if (type == JavaType::String) return true;
    return false;
}

// With no plug-in held every native gives its failure value.
void EveryNativeWithoutPlugin(ExportCaller& caller, const char* when)
{
    for (const auto& [name, native] : caller.Natives()) {
        const NativeResult result = caller.Call(name, ArgumentsFor(native, S(u"spring"), 1));
        caller.Check(caller.IsFailureValue(result), name + " " + when + ": not the failure value");
    }
}

// A resource file with one effect, written beside the program.
bool WriteResource(const char* path)
{
    std::FILE* file = std::fopen(path, "wb");
    if (file == nullptr) return false;
    const char text[] = "# one grid\neffect lattice Grid 1\nset lattice Gain 1234\n";
    const bool written = std::fwrite(text, 1, sizeof text - 1, file) == sizeof text - 1;
    return std::fclose(file) == 0 && written;
}

int Main()
{
    HMODULE library = LoadLibraryA("jvelweb.dll");
    if (library == nullptr) {
        std::printf("FAILED: LoadLibrary(jvelweb.dll): error %lu\n", GetLastError());
        return 100;
    }
    ExportCaller caller(library);
    caller.Check(caller.Resolved() == 146, "resolved " + std::to_string(caller.Resolved()) + " natives, not 146");

    EveryNativeWithoutPlugin(caller, "before _jni_initialize");
    caller.Check(caller.Initialize(42) == 0, "_jni_initialize(42) did not acquire the registered plug-in");

    std::vector<Step> script = {
        {"GetLastError", {}, Is(0)},
        {"GetDeviceFlag", {}, Is(42)},  // the int given to _jni_initialize reached the plug-in's property bag
        // One effect of each kind; the first has a non-ASCII name.
        {"MakeConstant", {S(kCafe)}, Is(true)},
        {"MakeRamp", {S(u"ramp")}, Is(true)},
        {"MakePeriodic", {S(u"wave"), I(4)}, Is(true)},
        {"MakeDamper", {S(u"damper"), I(1)}, Is(true)},
        {"MakeFriction", {S(u"friction"), I(2)}, Is(true)},
        {"MakeInertia", {S(u"inertia"), I(0)}, Is(true)},
        {"MakeSpring", {S(u"spring"), I(1)}, Is(true)},
        {"MakeEllipse", {S(u"ellipse")}, Is(true)},
        {"MakeEnclosure", {S(u"box")}, Is(true)},
        {"MakeGrid", {S(u"grid"), I(2)}, Is(true)},
        {"MakeTexture", {S(u"texture"), I(1)}, Is(true)},
        {"MakeSpring", {S(u"spring"), I(0)}, Refused(kDuplicateName)},
        {"MakeRamp", {S(u"")}, Refused(kInvalidArgument)},
        {"GetAxis", {S(u"grid"), I(0)}, Is(2)},
        {"GetWaveform", {S(u"wave"), I(0)}, Is(4)},
        {"GetEffectTypeName", {S(kCafe), I(0)}, Is(u"Constant")},
        {"GetEffectTypeName", {S(u"texture"), I(0)}, Is(u"Texture")},
        // Each change, read back by its queries; distinct values, negatives among them.
        {"ChangeCenter", {S(u"spring"), I(0), I(-7), I(8)}, Is(true)},
        {"GetCenterX", {S(u"spring"), I(0)}, Is(-7)},
        {"GetCenterY", {S(u"spring"), I(0)}, Is(8)},
        {"ChangeClippingMask", {S(u"box"), I(1), I(9)}, Is(true)},
        {"GetClippingMask", {S(u"box"), I(0)}, Is(9)},
        {"ChangeCoefficient", {S(u"damper"), I(0), I(11), I(-12)}, Is(true)},
        {"GetCoefficientPositiveX", {S(u"damper"), I(0)}, Is(11)},
        {"GetCoefficientNegativeX", {S(u"damper"), I(0)}, Is(-12)},
        {"GetCoefficientPositiveY", {S(u"damper"), I(0)}, Is(11)},
        {"GetCoefficientNegativeY", {S(u"damper"), I(0)}, Is(-12)},
        {"ChangeCoefficientX", {S(u"friction"), I(0), I(13), I(-14)}, Is(true)},
        {"GetCoefficientNegativeX", {S(u"friction"), I(0)}, Is(-14)},
        {"GetCoefficientPositiveY", {S(u"friction"), I(0)}, Is(0)},
        {"ChangeCoefficientY", {S(u"inertia"), I(0), I(15), I(-16)}, Is(true)},
        {"GetCoefficientPositiveY", {S(u"inertia"), I(0)}, Is(15)},
        {"GetCoefficientNegativeY", {S(u"inertia"), I(0)}, Is(-16)},
        {"ChangeDeadBand", {S(u"spring"), I(0), I(17)}, Is(true)},
        {"GetDeadBandX", {S(u"spring"), I(0)}, Is(17)},
        {"GetDeadBandY", {S(u"spring"), I(0)}, Is(17)},
        {"ChangeDeadBandX", {S(u"damper"), I(0), I(18)}, Is(true)},
        {"ChangeDeadBandY", {S(u"damper"), I(0), I(19)}, Is(true)},
        {"GetDeadBandX", {S(u"damper"), I(0)}, Is(18)},
        {"GetDeadBandY", {S(u"damper"), I(0)}, Is(19)},
        {"ChangeDirection", {S(u"ramp"), I(0), I(-3), I(3)}, Is(true)},
        {"GetDirectionX", {S(u"ramp"), I(0)}, Is(-3)},
        {"GetDirectionY", {S(u"ramp"), I(0)}, Is(3)},
        {"GetDirectionPolar", {S(u"ramp"), I(0)}, Is(22500)},
        {"ChangeDirectionPolar", {S(u"wave"), I(0), I(18000)}, Is(true)},
        {"GetDirectionPolar", {S(u"wave"), I(0)}, Is(18000)},
        {"GetDirectionX", {S(u"wave"), I(0)}, Within(-1, 1)},
        {"GetDirectionY", {S(u"wave"), I(0)}, Is(10000)},
        {"ChangeDuration", {S(kCafe), I(0), I(250)}, Is(true)},
        {"GetDuration", {S(kCafe), I(0)}, Is(250)},
        {"ChangeEnvelope", {S(kCafe), I(0), I(1000), I(20), I(3000), I(40)}, Is(true)},
        {"GetEnvelopeAttackLevel", {S(kCafe), I(0)}, Is(1000)},
        {"GetEnvelopeAttackTime", {S(kCafe), I(0)}, Is(20)},
        {"GetEnvelopeFadeLevel", {S(kCafe), I(0)}, Is(3000)},
        {"GetEnvelopeFadeTime", {S(kCafe), I(0)}, Is(40)},
        {"ChangeGain", {S(u"spring"), I(0), I(2500)}, Is(true)},
        {"GetGain", {S(u"spring"), I(0)}, Is(2500)},
        {"ChangeInsideEffect", {S(u"box"), I(0), S(kCafe), I(0)}, Is(true)},
        {"GetNumberOfEffectsInCompound", {S(u"box"), I(0)}, Is(1)},
        {"GetNameOfEffectInCompound", {S(u"box"), I(0), I(0)}, Is(kCafe)},
        {"ChangeMagnitude", {S(u"ramp"), I(0), I(-500), I(600)}, Is(true)},
        {"GetMagnitude", {S(u"ramp"), I(0)}, Is(-500)},
        {"GetMagnitude2", {S(u"ramp"), I(0)}, Is(600)},
        {"ChangeMagnitudeX", {S(u"texture"), I(0), I(700), I(-800)}, Is(true)},
        {"GetMagnitudePositiveX", {S(u"texture"), I(0)}, Is(700)},
        {"GetMagnitudeNegativeX", {S(u"texture"), I(0)}, Is(-800)},
        {"ChangeMagnitudeY", {S(u"texture"), I(0), I(900), I(-1000)}, Is(true)},
        {"GetMagnitudePositiveY", {S(u"texture"), I(0)}, Is(900)},
        {"GetMagnitudeNegativeY", {S(u"texture"), I(0)}, Is(-1000)},
        {"ChangeMinimum", {S(u"friction"), I(0), I(21)}, Is(true)},
        {"GetMinimumX", {S(u"friction"), I(0)}, Is(21)},
        {"GetMinimumY", {S(u"friction"), I(0)}, Is(21)},
        {"ChangeMinimumX", {S(u"inertia"), I(0), I(22)}, Is(true)},
        {"ChangeMinimumY", {S(u"inertia"), I(0), I(23)}, Is(true)},
        {"GetMinimumX", {S(u"inertia"), I(0)}, Is(22)},
        {"GetMinimumY", {S(u"inertia"), I(0)}, Is(23)},
        {"ChangeOffset", {S(u"wave"), I(0), I(-24), I(25)}, Is(true)},
        {"GetOffset", {S(u"wave"), I(0)}, Is(-24)},
        {"GetOffset2", {S(u"wave"), I(0)}, Is(25)},
        {"GetPeriod", {S(u"wave"), I(0)}, Is(100)},  // the default
        {"ChangePeriod", {S(u"wave"), I(0), I(26)}, Is(true)},
        {"GetPeriod", {S(u"wave"), I(0)}, Is(26)},
        {"ChangePhase", {S(u"wave"), I(0), I(27000)}, Is(true)},
        {"GetPhase", {S(u"wave"), I(0)}, Is(27000)},
        {"ChangeRectangle", {S(u"ellipse"), I(0), I(-10), I(20), I(300), I(400)}, Is(true)},
        {"GetRectangleLeft", {S(u"ellipse"), I(0)}, Is(-10)},
        {"GetRectangleTop", {S(u"ellipse"), I(0)}, Is(20)},
        {"GetRectangleWidth", {S(u"ellipse"), I(0)}, Is(300)},
        {"GetRectangleHeight", {S(u"ellipse"), I(0)}, Is(400)},
        {"ChangeSaturation", {S(u"ellipse"), I(0), I(31), I(32)}, Is(true)},
        {"GetSaturation", {S(u"ellipse"), I(0)}, Is(31)},
        {"GetSaturation2", {S(u"ellipse"), I(0)}, Is(32)},
        {"ChangeSaturationX", {S(u"spring"), I(0), I(33), I(34)}, Is(true)},
        {"GetSaturationPositiveX", {S(u"spring"), I(0)}, Is(33)},
        {"GetSaturationNegativeX", {S(u"spring"), I(0)}, Is(34)},
        {"ChangeSaturationY", {S(u"spring"), I(0), I(35), I(36)}, Is(true)},
        {"GetSaturationPositiveY", {S(u"spring"), I(0)}, Is(35)},
        {"GetSaturationNegativeY", {S(u"spring"), I(0)}, Is(36)},
        {"ChangeSpacing", {S(u"grid"), I(0), I(37), I(38)}, Is(true)},
        {"GetSpacingX", {S(u"grid"), I(0)}, Is(37)},
        {"GetSpacingY", {S(u"grid"), I(0)}, Is(38)},
        {"ChangeSpacingX", {S(u"texture"), I(0), I(39), I(40)}, Is(true)},
        {"GetSpacingPositiveX", {S(u"texture"), I(0)}, Is(39)},
        {"GetSpacingNegativeX", {S(u"texture"), I(0)}, Is(40)},
        {"ChangeSpacingY", {S(u"texture"), I(0), I(41), I(42)}, Is(true)},
        {"GetSpacingPositiveY", {S(u"texture"), I(0)}, Is(41)},
        {"GetSpacingNegativeY", {S(u"texture"), I(0)}, Is(42)},
        {"ChangeStartDelay", {S(u"ramp"), I(0), I(43)}, Is(true)},
        {"GetStartDelay", {S(u"ramp"), I(0)}, Is(43)},
        {"ChangeStiffness", {S(u"box"), I(0), I(44), I(45)}, Is(true)},
        {"GetStiffness", {S(u"box"), I(0)}, Is(44)},
        {"GetStiffness2", {S(u"box"), I(0)}, Is(45)},
        {"ChangeStiffnessMask", {S(u"box"), I(0), I(5)}, Is(true)},
        {"GetStiffnessMask", {S(u"box"), I(0)}, Is(5)},
        {"ChangeStrength", {S(u"grid"), I(0), I(46), I(47)}, Is(true)},
        {"ChangeThickness", {S(u"ellipse"), I(0), I(48), I(49)}, Is(true)},
        {"GetThickness", {S(u"ellipse"), I(0)}, Is(48)},
        {"GetThickness2", {S(u"ellipse"), I(0)}, Is(49)},
        {"ChangeThicknessX", {S(u"texture"), I(0), I(50), I(51)}, Is(true)},
        {"GetThicknessPositiveX", {S(u"texture"), I(0)}, Is(50)},
        {"GetThicknessNegativeX", {S(u"texture"), I(0)}, Is(51)},
        {"ChangeThicknessY", {S(u"texture"), I(0), I(52), I(53)}, Is(true)},
        {"GetThicknessPositiveY", {S(u"texture"), I(0)}, Is(52)},
        {"GetThicknessNegativeY", {S(u"texture"), I(0)}, Is(53)},
        {"ChangeViscosity", {S(u"box"), I(0), I(54)}, Is(true)},
        {"GetCoefficientPositiveX", {S(u"friction"), I(0)}, Is(13)},
        // Refusals: a value out of range, a parameter the kind lacks.
        {"ChangeGain", {S(u"spring"), I(0), I(10001)}, Refused(kInvalidArgument)},
        {"GetGain", {S(u"spring"), I(0)}, Is(2500)},
        {"ChangeCenter", {S(kCafe), I(0), I(1), I(1)}, Refused(kNotSupported)},
        {"GetCenterX", {S(kCafe), I(0)}, Refused(kNotSupported)},
        {"GetEffectTypeName", {S(u"nobody"), I(0)}, Refused(kUnknownEffect)},
        {"EffectSupportsGet", {S(u"spring"), I(0), S(u"CoefficientNegativeY")}, Is(true)},
        {"EffectSupportsGet", {S(u"spring"), I(0), S(u"Strength")}, Is(false)},
        {"EffectSupportsChange", {S(u"grid"), I(0), S(u"Strength")}, Is(true)},
        {"EffectSupportsChange", {S(kCafe), I(0), S(u"Center")}, Is(false)},
        {"EffectSupportsChange", {S(u"grid"), I(0), S(u"Colour")}, Refused(kInvalidArgument)},
        // Enumeration and playback.
        {"GetNumberOfEffects", {I(0)}, Is(11)},
        {"GetNameOfEffect", {I(0), I(0)}, Is(kCafe)},
        {"GetNameOfEffect", {I(0), I(10)}, Is(u"texture")},
        {"GetNameOfEffect", {I(0), I(11)}, Refused(kInvalidArgument)},
        {"EffectExists", {S(u"spring"), I(0)}, Is(true)},
        {"EffectExists", {S(u"nobody"), I(0)}, Is(false)},
        {"EffectExists", {S(u"spring"), I(1)}, Is(false)},
        {"StartEffect", {S(u"spring"), I(-1)}, Is(true)},
        {"EffectExists", {S(u"spring"), I(1)}, Is(true)},
        {"StartEffect2", {S(u"wave"), I(2), I(100), I(5000)}, Is(true)},
        {"GetStartDelay", {S(u"wave"), I(0)}, Is(100)},
        {"GetGain", {S(u"wave"), I(0)}, Is(5000)},
        {"GetNumberOfEffects", {I(1)}, Is(2)},
        {"GetNameOfEffect", {I(1), I(0)}, Is(u"wave")},
        {"StopEffect", {S(u"spring"), I(0)}, Is(true)},
        {"GetNumberOfEffects", {I(1)}, Is(1)},
        {"StopEffects", {}, Is(true)},
        {"GetNumberOfEffects", {I(1)}, Is(0)},
        {"StartEffect", {S(u"spring"), I(0)}, Refused(kInvalidArgument)},
        {"GetNumberOfEffects", {I(2)}, Refused(kInvalidArgument)},
        // A resource file: its path crosses as a String.
        {"OpenForceResource", {S(u"export_caller.vel")}, Is(1)},
        {"GetGain", {S(u"lattice"), I(0)}, Is(1234)},
        {"OpenForceResource", {S(u"export_caller.vel")}, Refused(HRESULT(0x80040A04))},
        {"OpenForceResource", {S(u"no such file.vel")}, Refused(kUnreadableResource)},
        {"GetNumberOfEffects", {I(0)}, Is(12)},
        // The device, read as the documented circle of radius 800 stepping 3
        // degrees at each X read, from (800, 0).
        {"VibronaDeviceAttached", {}, Is(true)},
        {"GetDevicePosX", {}, Within(795, 800)},
        {"GetDevicePosY", {}, Within(-45, 45)},
        {"GetScreenPosX", {}, Within(1715, 1730)},
        {"GetScreenPosY", {}, Within(490, 590)},
        {"GetCursorPosX", {}, Within(1710, 1725)},
        {"GetCursorPosY", {}, Within(465, 612)},
        {"GetDeviceType", {}, Is(2)},
        {"GetDeviceTechnology", {}, Is(0)},
        {"GetDeviceTypeName", {}, Is(u"Mouse")},
        {"GetDeviceTechnologyName", {}, Is(u"Simulation")},
        {"GetDeviceProductName", {}, Is(u"Vibrona Simulated Mouse")},
        {"GetPluginVersion", {}, Is(kVersion)},
        {"GetKorrinVersion", {}, Is(kVersion)},
        {"GetVelAPIVersion", {}, Is(kVersion)},
        {"GetDXVersion", {}, Is(kVersion)},
        {"GetDriverVersion", {}, Is(kVersion)},
        {"GetTorvexVersion", {}, Is(kVersion)},
        {"GetHyperlinksEnabled", {}, Is(true)},
        {"EnableHyperlinks", {B(false)}, Is(true)},
        {"GetHyperlinksEnabled", {}, Is(false)},
        {"GetFormContentEnabled", {}, Is(true)},
        {"EnableFormContent", {B(false)}, Is(true)},
        {"GetFormContentEnabled", {}, Is(false)},
        {"EnableFormContent", {B(true)}, Is(true)},
        {"GetFormContentEnabled", {}, Is(true)},
        {"GetLastError", {}, Is(jint(kUnreadableResource))},
    };
    caller.Check(WriteResource("export_caller.vel"), "cannot write export_caller.vel");
    std::set<std::string> scripted;
    for (const Step& step : script) {
        caller.Run(step);
        scripted.insert(step.native);
    }
    for (const auto& entry : caller.Natives())
        caller.Check(scripted.count(entry.first) == 1, entry.first + " has no step in the session script");

    // Every native that takes a name, on an effect that does not exist, and
    // with a null name. Making an effect and testing for one do not refuse an
    // unknown name; a resource path is not an effect name.
    const std::set<std::string> acceptUnknown = {"MakeConstant", "MakeRamp",    "MakePeriodic", "MakeDamper",
                                                 "MakeFriction", "MakeInertia", "MakeSpring",   "MakeEllipse",
                                                 "MakeEnclosure", "MakeGrid",   "MakeTexture",  "EffectExists",
                                                 "OpenForceResource"};
    int named = 0;
    for (const auto& [name, native] : caller.Natives()) {
        if (!TakesString(native)) continue;
        ++named;
        if (acceptUnknown.count(name) == 0) caller.Run({name.c_str(), ArgumentsFor(native, S(u"nobody"), 1), Refused(kUnknownEffect)});
        Arg null = S(u"");
        null.isNull = true;
        caller.Run({name.c_str(), ArgumentsFor(native, null, 1), Refused(0)});
    }

    caller.Check(caller.Release() == 0, "_jni_delete did not release the plug-in");
    EveryNativeWithoutPlugin(caller, "after _jni_delete");

    std::printf("export_caller: %zu of 146 natives resolved by name, %zu called; %zu scripted steps, %d natives "
                "refused an unknown and a null name; %d failed checks\n",
                caller.Resolved(), caller.called.size(), script.size(), named, caller.failures);
    caller.Check(caller.called.size() == 146, "not every native was called");
    return caller.failures > 100 ? 100 : caller.failures;
}

}  // namespace
}  // namespace jvelweb::testing

int main() { return jvelweb::testing::Main(); }
