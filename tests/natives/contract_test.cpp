// Every native against the probe, through the fake JNIEnv: what Java gets,
// what the plug-in receives, what reaches the trace and the thread's failure
// record, and what is left behind.
#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <stdexcept>

#include "bridge/plugin_handle.h"
#include "tests/natives/native_table.h"
#include "tests/support/failure_check.h"
#include "tests/support/fake_jni.h"
#include "tests/support/ole_text.h"
#include "tests/support/probe_plugin.h"
#include "tests/support/trace_capture.h"

namespace jvelweb::testing {
namespace {

// Distinct values per argument position, the 32-bit extremes among them, so a
// swapped or dropped argument cannot go unseen.
constexpr jint kInts[] = {INT_MIN, -7, INT_MAX, 0, -1, 123456};

// Names with every kind of text, in modified UTF-8: "é" is C3 A9, U+1F600 (a
// supplementary character) is two 3-byte surrogates, U+0000 is C0 80 and must
// reach the plug-in with the text after it, and ED B0 80 is a lone U+DC00.
std::string NameBytes(size_t position)
{
    return "name" + std::to_string(position) + "-\xC3\xA9\xED\xA0\xBD\xED\xB8\x80\xC0\x80z\xED\xB0\x80";
}
std::u16string NameText(size_t position)
{
    std::u16string text = u"name" + std::u16string(1, char16_t(u'0' + position)) + u"-\u00E9";
    text += char16_t(0xD83D);
    text += char16_t(0xDE00);
    text += char16_t(0);
    text += u'z';
    text += char16_t(0xDC00);
    return text;
}

const std::u16string kTextAnswer = u"r\u00E9ponse \U0001F600" + std::u16string(1, char16_t(0xD800));
const std::string kTextAnswerBytes = "r\xC3\xA9ponse \xED\xA0\xBD\xED\xB8\x80\xED\xA0\x80";

bool Has(const std::vector<JavaType>& types, JavaType type)
{
    for (JavaType t : types)
        if (t == type) return true;
    return false;
}

class NativeContract : public ::testing::TestWithParam<NativeRow> {
protected:
    void SetUp() override
    {
        liveStrings_ = LiveStrings();
        ClearFailures();
        probe_.AddRef();  // the slot's own reference
        SetPlugin(nullptr, nullptr, probe_.Plugin());
        referencesBefore_ = probe_.References();
    }

    void TearDown() override
    {
        EXPECT_EQ(probe_.References(), referencesBefore_) << "the call kept or dropped a plug-in reference";
        SetPlugin(nullptr, nullptr, nullptr);
        probe_.Release();
        IErrorInfo* left = nullptr;
        if (GetErrorInfo(0, &left) == S_OK) left->Release();
        EXPECT_TRUE(jni_.violations.empty()) << jni_.violations.front();
        EXPECT_LIVE(LiveStrings(), liveStrings_) << "BSTRs leaked";
    }

    const NativeRow& Row() const { return GetParam(); }

    std::vector<JavaValue> Arguments()
    {
        std::vector<JavaValue> values;
        for (size_t i = 0; i < Row().native.parameters.size(); ++i) {
            JavaValue value;
            switch (Row().native.parameters[i]) {
            case JavaType::String: value.string = jni_.NewJavaString(NameBytes(i)); break;
            case JavaType::Int: value.number = kInts[i]; break;
            case JavaType::Boolean: value.flag = JNI_TRUE; break;
            }
            values.push_back(value);
        }
        return values;
    }

    NativeResult Call(const std::vector<JavaValue>& values) { return Row().native.call(jni_.Env(), values); }

    // The failure value of the row's shape: false, -99, or a new empty String.
    void ExpectFailureValue(const NativeResult& result)
    {
        switch (result.type) {
        case JavaType::Boolean: EXPECT_EQ(result.flag, JNI_FALSE); break;
        case JavaType::Int: EXPECT_EQ(result.number, -99); break;
        case JavaType::String:
            ASSERT_NE(result.string, nullptr) << "a String failure value is never null";
            EXPECT_TRUE(jni_.MadeByLibrary(result.string));
            EXPECT_EQ(jni_.TextOf(result.string), "");
            break;
        }
    }

    FakeJni jni_;
    ProbePlugin probe_;
    TraceCapture trace_;
    ULONG referencesBefore_ = 0;
    LONG liveStrings_ = 0;
};

TEST_P(NativeContract, WithoutPluginReturnsFailureValueAndReadsNoArgument)
{
    SetPlugin(nullptr, nullptr, nullptr);
    const NativeResult result = Call(Arguments());
    SetPlugin(nullptr, nullptr, probe_.Plugin());

    ExpectFailureValue(result);
    EXPECT_EQ(jni_.lengthCalls + jni_.regionCalls, 0);
    EXPECT_EQ(jni_.newStringCalls, result.type == JavaType::String ? 1 : 0);
    EXPECT_TRUE(probe_.Calls().empty());
    EXPECT_EQ(trace_.Lines(), std::vector<std::string>{"JVelWeb: " + std::string(Row().name) +
                                                       " called with no plug-in held; call _jni_initialize first"});
    ExpectOneFailure(Row().name, FailureCause::NoPlugin, E_POINTER);
}

TEST_P(NativeContract, CallsItsSlotOnceWithArgumentsInJavaOrder)
{
    probe_.numberAnswer = INT_MIN;
    probe_.flagAnswer = VARIANT_TRUE;
    probe_.textAnswer = kTextAnswer;
    const NativeResult result = Call(Arguments());

    const auto calls = probe_.Calls();
    ASSERT_EQ(calls.size(), 1u);
    EXPECT_EQ(calls[0].slot, Row().slot);
    const auto& parameters = Row().native.parameters;
    ASSERT_EQ(calls[0].inputs.size(), parameters.size());
    for (size_t i = 0; i < parameters.size(); ++i) {
        const ProbeInput& input = calls[0].inputs[i];
        switch (parameters[i]) {
        case JavaType::String:
            ASSERT_EQ(input.kind, ProbeInput::Kind::Text) << "argument " << i;
            EXPECT_FALSE(input.isNull);
            EXPECT_TRUE(input.text == NameText(i)) << "argument " << i;
            break;
        case JavaType::Int:
            ASSERT_EQ(input.kind, ProbeInput::Kind::Number) << "argument " << i;
            EXPECT_EQ(input.number, kInts[i]) << "argument " << i;
            break;
        case JavaType::Boolean:
            ASSERT_EQ(input.kind, ProbeInput::Kind::Flag) << "argument " << i;
            EXPECT_EQ(input.flag, 1) << "true reaches the plug-in as 1, not VARIANT_TRUE";
            break;
        }
    }

    switch (result.type) {
    case JavaType::Boolean: EXPECT_EQ(result.flag, JNI_TRUE); break;
    case JavaType::Int: EXPECT_EQ(result.number, INT_MIN); break;
    case JavaType::String:
        ASSERT_NE(result.string, nullptr);
        EXPECT_EQ(jni_.TextOf(result.string), kTextAnswerBytes);
        break;
    }
    // Each String is read once: its length, then its units.
    const int strings = static_cast<int>(std::count(parameters.begin(), parameters.end(), JavaType::String));
    EXPECT_EQ(jni_.lengthCalls, strings);
    EXPECT_EQ(jni_.regionCalls, strings);
    EXPECT_TRUE(trace_.Lines().empty());
    ExpectNoFailure();
}

TEST_P(NativeContract, SuccessCodesOtherThanSOkStillSucceed)
{
    probe_.answer = S_FALSE;
    probe_.numberAnswer = -99 + 1;
    probe_.flagAnswer = 2;  // any non-zero VARIANT_BOOL is true
    probe_.textAnswer = u"x";
    const NativeResult result = Call(Arguments());
    switch (result.type) {
    case JavaType::Boolean: EXPECT_EQ(result.flag, JNI_TRUE); break;
    case JavaType::Int: EXPECT_EQ(result.number, -98); break;
    case JavaType::String: EXPECT_EQ(jni_.TextOf(result.string), "x"); break;
    }
    EXPECT_TRUE(trace_.Lines().empty());
    ExpectNoFailure();
}

TEST_P(NativeContract, OutputTheProbeLeavesUnwrittenReadsAsZeroFalseOrEmpty)
{
    probe_.writeOutput = false;
    probe_.numberAnswer = 5;
    const NativeResult result = Call(Arguments());
    switch (result.type) {
    case JavaType::Boolean: EXPECT_EQ(result.flag, JNI_FALSE); break;
    case JavaType::Int: EXPECT_EQ(result.number, 0); break;
    case JavaType::String:
        ASSERT_NE(result.string, nullptr);
        EXPECT_EQ(jni_.TextOf(result.string), "");
        break;
    }
    ExpectNoFailure();
}

TEST_P(NativeContract, FailureIsReportedOnceWithErrorInfoOnlyForTheDeclaringInterface)
{
    for (bool supported : {true, false}) {
        SCOPED_TRACE(supported ? "error information supported for the declaring interface"
                               : "error information supported for the other interface only");
        trace_.Clear();
        ClearFailures();
        probe_.ClearCalls();
        probe_.answer = static_cast<HRESULT>(0x80041234);
        probe_.numberAnswer = 7;  // written, yet a failure must not return it
        probe_.setsErrorInfo = true;
        probe_.supportsErrorInfoFor =
            supported ? Row().declaringInterface
                      : (Row().declaringInterface == &IID_IWebPlugin ? &IID_IWebPlugin2 : &IID_IWebPlugin);
        const NativeResult result = Call(Arguments());

        ExpectFailureValue(result);
        EXPECT_EQ(probe_.Calls().size(), 1u);
        const std::vector<std::string> expected = {" ",
                                                   "JVelWeb COM Exception:",
                                                   "80041234",
                                                   "IDispatch error #4148",
                                                   supported ? "Probe source" : TraceCapture::kNull,
                                                   supported ? "Probe description" : TraceCapture::kNull,
                                                   "JVelWeb: " + std::string(Row().name) + " failed" +
                                                       (supported ? ": Probe description" : "")};
        EXPECT_EQ(trace_.Lines(), expected);
        ExpectOneFailure(Row().name, FailureCause::ComError, static_cast<HRESULT>(0x80041234),
                         supported ? "Probe source" : nullptr, supported ? "Probe description" : nullptr);
        IErrorInfo* left = nullptr;
        if (GetErrorInfo(0, &left) == S_OK) left->Release();
    }
}

// An exception the frame does not expect (here thrown by the plug-in) ends in
// the failure value, one trace line naming the method and an E_UNEXPECTED
// record; a String native answers null only when a Java exception is pending
// as well.
TEST_P(NativeContract, UnexpectedExceptionGivesTheFailureValueAndOneLine)
{
    for (bool pending : {false, true}) {
        SCOPED_TRACE(pending ? "with a Java exception pending" : "with no Java exception pending");
        trace_.Clear();
        ClearFailures();
        jni_.exceptionPending = false;
        probe_.duringCall = [this, pending] {
            jni_.exceptionPending = pending;
            throw std::runtime_error("thrown by the plug-in");
        };
        const NativeResult result = Call(Arguments());
        if (pending && result.type == JavaType::String)
            EXPECT_EQ(result.string, nullptr);
        else
            ExpectFailureValue(result);
        EXPECT_EQ(trace_.Lines(), std::vector<std::string>{"JVelWeb: unexpected exception in " + std::string(Row().name)});
        ExpectOneFailure(Row().name, FailureCause::ComError, E_UNEXPECTED);
    }
    jni_.exceptionPending = false;
}

// The natives that take at least one String.
class NamedNativeContract : public NativeContract {};

// The natives whose result is a String.
class TextNativeContract : public NativeContract {};

TEST_P(NamedNativeContract, NullStringArgumentGivesFailureValueWithoutCallingThePlugin)
{
    const auto& parameters = Row().native.parameters;
    for (size_t nulled = 0; nulled < parameters.size(); ++nulled) {
        if (parameters[nulled] != JavaType::String) continue;
        SCOPED_TRACE("null String at argument " + std::to_string(nulled));
        jni_.Reset();
        ClearFailures();
        auto values = Arguments();
        values[nulled].string = nullptr;
        const NativeResult result = Call(values);
        ExpectFailureValue(result);
        EXPECT_TRUE(probe_.Calls().empty());
        EXPECT_TRUE(trace_.Lines().empty());
        const std::string position = "String argument " + std::to_string(nulled + 1) + " is null";
        ExpectOneFailure(Row().name, FailureCause::NullArgument, E_INVALIDARG, nullptr, position.c_str());
        // Strings before the null one were read; none after it.
        int before = 0;
        for (size_t i = 0; i < nulled; ++i) before += parameters[i] == JavaType::String;
        EXPECT_EQ(jni_.lengthCalls, before);
        EXPECT_EQ(jni_.regionCalls, before);
    }
}

TEST_P(NamedNativeContract, TextNoBstrCanHoldIsReportedAsOutOfMemoryAndReadNoFurther)
{
    const auto& parameters = Row().native.parameters;
    for (size_t huge = 0; huge < parameters.size(); ++huge) {
        if (parameters[huge] != JavaType::String) continue;
        SCOPED_TRACE("String without room at argument " + std::to_string(huge));
        jni_.Reset();
        trace_.Clear();
        ClearFailures();
        auto values = Arguments();
        values[huge].string = jni_.NewUnallocatableJavaString();
        const NativeResult result = Call(values);
        ExpectFailureValue(result);
        EXPECT_TRUE(probe_.Calls().empty());
        ASSERT_EQ(trace_.Lines().size(), 7u);
        EXPECT_EQ(trace_.Lines()[2], "8007000e");
        EXPECT_EQ(trace_.Lines()[6], "JVelWeb: " + std::string(Row().name) + " failed");
        ExpectOneFailure(Row().name, FailureCause::OutOfMemory, E_OUTOFMEMORY);
        // Its length was asked, its units never; the Strings after it not at all.
        int before = 0;
        for (size_t i = 0; i < huge; ++i) before += parameters[i] == JavaType::String;
        EXPECT_EQ(jni_.lengthCalls, before + 1);
        EXPECT_EQ(jni_.regionCalls, before);
    }
}

TEST_P(NamedNativeContract, EmptyNamesReachThePluginAsEmptyText)
{
    auto values = Arguments();
    for (size_t i = 0; i < values.size(); ++i)
        if (Row().native.parameters[i] == JavaType::String) values[i].string = jni_.NewJavaString("");
    Call(values);
    const auto calls = probe_.Calls();
    ASSERT_EQ(calls.size(), 1u);
    for (size_t i = 0; i < values.size(); ++i) {
        if (Row().native.parameters[i] != JavaType::String) continue;
        EXPECT_FALSE(calls[0].inputs[i].isNull) << "an empty name is an empty BSTR, not null";
        EXPECT_TRUE(calls[0].inputs[i].text.empty());
    }
    ExpectNoFailure();
}

TEST_P(TextNativeContract, StringResultsEndAtTheFirstZeroAndAreEmptyForNullOrEmptyText)
{
    const struct {
        bool isNull;
        std::u16string answer;
        std::string java;  // modified UTF-8 of the String Java gets
    } cases[] = {
        {true, u"", ""},
        {false, u"", ""},
        {false, std::u16string(u"1.2.3\0\0\0", 8), "1.2.3"},  // a zero-padded buffer
        {false, std::u16string(u"ab\0cd", 5), "ab"},
        {false, std::u16string(u"\0tail", 5), ""},
        {false, std::u16string(1, char16_t(0xDC00)) + u"x", "\xED\xB0\x80x"},  // a lone surrogate, unchanged
    };
    NativeResult result{};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.java);
        probe_.textAnswerIsNull = c.isNull;
        probe_.textAnswer = c.answer;
        result = Call(Arguments());
        ASSERT_NE(result.string, nullptr);
        EXPECT_TRUE(jni_.MadeByLibrary(result.string));
        EXPECT_EQ(jni_.TextOf(result.string), c.java);
    }

    // Two results are two distinct Java Strings.
    NativeResult again = Call(Arguments());
    EXPECT_NE(again.string, result.string);
    ExpectNoFailure();

    probe_.textAnswer = u"lost";
    jni_.failNewString = true;
    result = Call(Arguments());
    EXPECT_EQ(result.string, nullptr);
    EXPECT_TRUE(trace_.Lines().empty());
    ExpectOneFailure(Row().name, FailureCause::OutOfMemory, E_OUTOFMEMORY);
}

std::string RowName(const ::testing::TestParamInfo<NativeRow>& info) { return info.param.name; }

std::vector<NativeRow> RowsWhere(bool (*keep)(const NativeRow&))
{
    std::vector<NativeRow> rows;
    for (const auto& row : AllNatives())
        if (keep(row)) rows.push_back(row);
    return rows;
}

INSTANTIATE_TEST_SUITE_P(AllNatives, NativeContract, ::testing::ValuesIn(AllNatives()), RowName);
INSTANTIATE_TEST_SUITE_P(
    NativesWithNames, NamedNativeContract,
    ::testing::ValuesIn(RowsWhere([](const NativeRow& row) { return Has(row.native.parameters, JavaType::String); })),
    RowName);
INSTANTIATE_TEST_SUITE_P(
    NativesWithText, TextNativeContract,
    ::testing::ValuesIn(RowsWhere([](const NativeRow& row) { return row.native.result == JavaType::String; })),
    RowName);

TEST(NativeTable, CoversEveryOperationSlotExactlyOnce)
{
    std::vector<int> seen(161, 0);
    for (const auto& row : AllNatives()) ++seen.at(row.slot);
    const std::vector<int> neverCalled = {13, 16, 17, 18, 19, 21, 48, 53, 54, 61};
    for (int slot = 7; slot <= 160; ++slot) {
        const bool uncalled = std::find(neverCalled.begin(), neverCalled.end(), slot) != neverCalled.end();
        EXPECT_EQ(seen[slot], uncalled ? 0 : 1) << "slot " << slot;
    }
    EXPECT_EQ(AllNatives().size(), 144u);
}

}  // namespace
}  // namespace jvelweb::testing
