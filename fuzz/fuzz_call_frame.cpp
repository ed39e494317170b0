// Any native, any Java arguments, any plug-in behaviour: the input picks a row
// of the native table, its arguments (null, empty, long or non-ASCII Strings,
// Strings too long for any BSTR, any int, either boolean), what the JVM does
// (cannot make a String), and everything the probe answers (any HRESULT, its output
// or none, a null, empty or long BSTR, error information or not, and which
// interface it supports error information for). Java must get exactly the
// plug-in's answer (a String up to its first zero unit) or the failure value,
// each String argument must reach the plug-in as the same units, the trace must
// carry the report of a failure and nothing else, and no reference, BSTR or
// error object may be left behind.
#include <fuzzer/FuzzedDataProvider.h>

#include <climits>
#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

#include "bridge/plugin_handle.h"
#include "fuzz/fuzz_check.h"
#include "fuzz/modified_utf8.h"
#include "tests/natives/native_table.h"
#include "tests/support/fake_jni.h"
#include "tests/support/probe_plugin.h"
#include "tests/support/trace_capture.h"

using namespace jvelweb;
using namespace jvelweb::testing;
using jvelweb::fuzzing::EncodeModifiedUtf8;

namespace {

// Units in a long text: past what a 16-bit length could hold.
constexpr size_t kLong = (1 << 16) + 1;

std::u16string Text(FuzzedDataProvider& in)
{
    switch (in.ConsumeIntegralInRange<int>(0, 15)) {
    case 0: return std::u16string();
    case 1: return std::u16string(kLong, in.ConsumeIntegral<char16_t>());
    case 2:
        // A few hundred units: around the sizes of fixed buffers.
        return std::u16string(in.ConsumeIntegralInRange<size_t>(100, 600), in.ConsumeIntegral<char16_t>());
    default: {
        // Any units: zeros, lone surrogates, pairs, ASCII.
        std::u16string text(in.ConsumeIntegralInRange<size_t>(1, 24), u'a');
        for (char16_t& unit : text) unit = in.ConsumeIntegral<char16_t>();
        return text;
    }
    }
}

HRESULT Answer(FuzzedDataProvider& in)
{
    static const HRESULT kAnswers[] = {S_OK,
                                       S_FALSE,
                                       2,
                                       E_FAIL,
                                       E_POINTER,
                                       E_OUTOFMEMORY,
                                       E_NOTIMPL,
                                       static_cast<HRESULT>(0x80041234),
                                       static_cast<HRESULT>(0x80020009),
                                       static_cast<HRESULT>(0x80000000)};
    if (in.ConsumeBool()) return in.ConsumeIntegral<HRESULT>();
    return kAnswers[in.ConsumeIntegralInRange<size_t>(0, std::size(kAnswers) - 1)];
}

// The text a BSTR keeps as error information, and as the String Java gets:
// up to its first zero unit.
std::string UpToFirstZero(const std::u16string& text) { return EncodeModifiedUtf8(text.substr(0, text.find(u'\0'))); }

// What Java must get back.
struct Outcome {
    enum class Kind { Failure, Answer } kind = Kind::Failure;
    bool probeCalled = false;
    bool outOfMemory = false;  // a String no BSTR can hold ended the call
    int lengthsTaken = 0;      // GetStringLength calls
    int regionsTaken = 0;      // GetStringRegion calls
};

void CheckResult(const NativeResult& result, const Outcome& outcome, const ProbePlugin& probe, const FakeJni& jni,
                 const char* name)
{
    const bool answer = outcome.kind == Outcome::Kind::Answer;
    switch (result.type) {
    case JavaType::Boolean: {
        const jboolean expected = answer && probe.writeOutput && probe.flagAnswer != 0 ? JNI_TRUE : JNI_FALSE;
        FUZZ_CHECK(result.flag == expected, "%s gave %d, %d expected", name, result.flag, expected);
        break;
    }
    case JavaType::Int: {
        const jint expected = !answer ? -99 : probe.writeOutput ? probe.numberAnswer : 0;
        FUZZ_CHECK(result.number == expected, "%s gave %d, %d expected", name, result.number, expected);
        break;
    }
    case JavaType::String:
        if (jni.failNewString) {
            FUZZ_CHECK(result.string == nullptr, "%s made a String though the JVM could not", name);
        } else {
            FUZZ_CHECK(result.string != nullptr && jni.MadeByLibrary(result.string), "%s gave no String", name);
            const std::string expected = answer && probe.writeOutput && !probe.textAnswerIsNull
                                             ? UpToFirstZero(probe.textAnswer)
                                             : std::string();
            FUZZ_CHECK(jni.TextOf(result.string) == expected, "%s gave a String of %zu bytes, %zu expected", name,
                       jni.TextOf(result.string).size(), expected.size());
        }
        break;
    }
}

void RunOne(FuzzedDataProvider& in)
{
    const std::vector<NativeRow>& rows = AllNatives();
    const NativeRow& row = rows[in.ConsumeIntegralInRange<size_t>(0, rows.size() - 1)];

    FakeJni jni;
    ProbePlugin probe;
    TraceCapture trace;
    const bool held = in.ConsumeIntegralInRange<int>(0, 15) != 0;
    jni.failNewString = in.ConsumeIntegralInRange<int>(0, 7) == 0;

    // The arguments, and the inputs the plug-in must receive for them.
    std::vector<JavaValue> values;
    std::vector<std::u16string> texts;
    std::vector<bool> unallocatable;
    for (JavaType type : row.native.parameters) {
        JavaValue value;
        texts.emplace_back();
        unallocatable.push_back(false);
        switch (type) {
        case JavaType::String:
            switch (in.ConsumeIntegralInRange<int>(0, 15)) {
            case 0: break;  // null
            case 1:
                value.string = jni.NewUnallocatableJavaString();
                unallocatable.back() = true;
                break;
            default:
                texts.back() = Text(in);
                value.string = jni.NewJavaString(EncodeModifiedUtf8(texts.back()));
                break;
            }
            break;
        case JavaType::Int: value.number = in.ConsumeIntegral<jint>(); break;
        case JavaType::Boolean: value.flag = in.ConsumeBool() ? JNI_TRUE : JNI_FALSE; break;
        }
        values.push_back(value);
    }

    // How the plug-in answers.
    probe.answer = Answer(in);
    probe.writeOutput = in.ConsumeIntegralInRange<int>(0, 3) != 0;
    probe.numberAnswer = in.ConsumeIntegral<LONG>();
    probe.flagAnswer = in.ConsumeIntegral<VARIANT_BOOL>();
    probe.textAnswerIsNull = in.ConsumeIntegralInRange<int>(0, 3) == 0;
    probe.textAnswer = Text(in);
    probe.setsErrorInfo = in.ConsumeBool();
    probe.errorSource = Text(in);
    probe.errorDescription = Text(in);
    probe.offersSupportErrorInfo = in.ConsumeIntegralInRange<int>(0, 3) != 0;
    static const IID* const kSupported[] = {nullptr, &IID_IWebPlugin, &IID_IWebPlugin2, &IID_IUnknown};
    probe.supportsErrorInfoFor = kSupported[in.ConsumeIntegralInRange<size_t>(0, std::size(kSupported) - 1)];

    // What must happen, read off the arguments in Java order.
    Outcome outcome;
    if (held) {
        outcome.probeCalled = true;
        for (size_t i = 0; i < values.size() && outcome.probeCalled; ++i) {
            if (row.native.parameters[i] != JavaType::String) continue;
            if (values[i].string == nullptr) {
                outcome.probeCalled = false;
            } else if (unallocatable[i]) {
                ++outcome.lengthsTaken;
                outcome.probeCalled = false;
                outcome.outOfMemory = true;
            } else {
                ++outcome.lengthsTaken;
                ++outcome.regionsTaken;
            }
        }
        if (outcome.probeCalled && SUCCEEDED(probe.answer)) outcome.kind = Outcome::Kind::Answer;
    }

    probe.AddRef();  // the slot's reference
    if (held) SetPlugin(nullptr, nullptr, probe.Plugin());
    const NativeResult result = row.native.call(jni.Env(), values);
    SetPlugin(nullptr, nullptr, nullptr);

    CheckResult(result, outcome, probe, jni, row.name);
    FUZZ_CHECK(probe.References() == 1, "%s left the plug-in with %lu references, 1 expected", row.name,
               static_cast<unsigned long>(probe.References()));
    FUZZ_CHECK(jni.violations.empty(), "%s broke a JNI rule: %s", row.name, jni.violations.front().c_str());
    FUZZ_CHECK(jni.lengthCalls == outcome.lengthsTaken && jni.regionCalls == outcome.regionsTaken,
               "%s asked %d lengths and %d regions, %d and %d expected", row.name, jni.lengthCalls,
               jni.regionCalls, outcome.lengthsTaken, outcome.regionsTaken);

    const auto calls = probe.Calls();
    FUZZ_CHECK(calls.size() == (outcome.probeCalled ? 1u : 0u), "%s called the plug-in %zu times", row.name,
               calls.size());
    if (outcome.probeCalled) {
        FUZZ_CHECK(calls[0].slot == row.slot, "%s called slot %d", row.name, calls[0].slot);
        FUZZ_CHECK(calls[0].inputs.size() == values.size(), "%s passed %zu inputs", row.name, calls[0].inputs.size());
        for (size_t i = 0; i < values.size(); ++i) {
            const ProbeInput& input = calls[0].inputs[i];
            switch (row.native.parameters[i]) {
            case JavaType::String:
                FUZZ_CHECK(!input.isNull && input.text == texts[i], "%s: argument %zu reached the plug-in altered",
                           row.name, i);
                break;
            case JavaType::Int:
                FUZZ_CHECK(input.number == values[i].number, "%s: argument %zu altered", row.name, i);
                break;
            case JavaType::Boolean:
                FUZZ_CHECK(input.flag == (values[i].flag ? 1 : 0), "%s: argument %zu altered", row.name, i);
                break;
            }
        }
    }

    // A failed call is reported in six lines and a seventh that names the
    // method; a call with no plug-in held gets one line naming the fix;
    // nothing else is ever traced.
    const std::vector<std::string>& lines = trace.Lines();
    const std::string failedLine = std::string("JVelWeb: ") + row.name + " failed";
    const auto namesFailure = [&] { return lines.size() == 7 && lines[6].rfind(failedLine, 0) == 0; };
    if (!held) {
        FUZZ_CHECK(lines.size() == 1 && lines[0] == std::string("JVelWeb: ") + row.name +
                                                        " called with no plug-in held; call _jni_initialize first",
                   "%s: a call with no plug-in gave %zu trace lines", row.name, lines.size());
    } else if (outcome.probeCalled && FAILED(probe.answer)) {
        const bool withInfo = probe.setsErrorInfo && probe.offersSupportErrorInfo &&
                              probe.supportsErrorInfoFor != nullptr &&
                              IsEqualIID(*probe.supportsErrorInfoFor, *row.declaringInterface);
        char code[16];
        std::snprintf(code, sizeof code, "%x", static_cast<unsigned>(probe.answer));
        FUZZ_CHECK(namesFailure(), "%s: a failure gave %zu trace lines, not the report and its method", row.name,
                   lines.size());
        FUZZ_CHECK(lines[0] == " " && lines[1] == "JVelWeb COM Exception:" && lines[2] == code,
                   "%s: the report of 0x%08x begins wrongly", row.name, static_cast<unsigned>(probe.answer));
        FUZZ_CHECK(!lines[3].empty() && lines[3] != TraceCapture::kNull, "%s: no message for 0x%08x", row.name,
                   static_cast<unsigned>(probe.answer));
        FUZZ_CHECK(lines[4] == (withInfo ? UpToFirstZero(probe.errorSource) : TraceCapture::kNull),
                   "%s: wrong source line (error information %s)", row.name, withInfo ? "taken" : "not taken");
        FUZZ_CHECK(lines[5] == (withInfo ? UpToFirstZero(probe.errorDescription) : TraceCapture::kNull),
                   "%s: wrong description line", row.name);
    } else if (outcome.outOfMemory) {
        FUZZ_CHECK(namesFailure() && lines[2] == "8007000e", "%s: a String without room not reported as 8007000e",
                   row.name);
    } else {
        FUZZ_CHECK(lines.empty(), "%s traced %zu lines without a failure", row.name, lines.size());
    }

    // Error information the library had no reason to take is the thread's.
    IErrorInfo* left = nullptr;
    if (GetErrorInfo(0, &left) == S_OK) left->Release();
    FUZZ_CHECK(probe.Release() == 0, "the plug-in's reference count went wrong");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const LONG liveStrings = JVelComLiveStrings();
    const LONG liveErrors = JVelComLiveErrorObjects();
    FuzzedDataProvider in(data, size);
    RunOne(in);
    FUZZ_CHECK(JVelComLiveStrings() == liveStrings, "%ld BSTRs left behind",
               static_cast<long>(JVelComLiveStrings() - liveStrings));
    FUZZ_CHECK(JVelComLiveErrorObjects() == liveErrors, "%ld error objects left behind",
               static_cast<long>(JVelComLiveErrorObjects() - liveErrors));
    return 0;
}
