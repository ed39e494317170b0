// The call frame from eight threads at once. Each thread has its own fake
// JNIEnv (as each Java thread has its own JNIEnv) and goes over every native
// with arguments of its own; all of them share the one plug-in held in the
// slot. Afterwards every result must be the plug-in's answer (or the failure
// value), every report must have reached the calling thread's trace, the
// plug-in must have seen exactly the calls made, with each thread's own
// arguments, and no reference, BSTR or error object may be left over. Built
// with JVELWEB_SANITIZE=thread, ThreadSanitizer watches the same run.
#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <memory>
#include <string>
#include <thread>
#include <vector>

#include "bridge/plugin_handle.h"
#include "bridge/trace.h"
#include "tests/natives/native_table.h"
#include "tests/support/fake_jni.h"
#include "tests/support/probe_plugin.h"

namespace jvelweb::testing {
namespace {

constexpr int kThreads = 8;
constexpr int kCallsPerThread = 2000;
constexpr LONG kNumberAnswer = 271828;
const std::u16string kTextAnswer = u"r\u00E9ponse \U0001F600";
const std::string kTextAnswerBytes = "r\xC3\xA9ponse \xED\xA0\xBD\xED\xB8\x80";
const char* const kNullLine = "(null)";

// Trace lines go to the list of the thread that traces them.
thread_local std::vector<std::string>* t_lines = nullptr;
void ThreadSink(JNIEnv*, const char* text)
{
    if (t_lines != nullptr) t_lines->emplace_back(text != nullptr ? text : kNullLine);
}

// A call as the probe records it, in one comparable string: the slot and
// every input. Two threads' calls of one native differ in their arguments.
std::string Key(int slot, const std::vector<ProbeInput>& inputs)
{
    std::string key = std::to_string(slot);
    for (const ProbeInput& input : inputs) {
        switch (input.kind) {
        case ProbeInput::Kind::Text:
            key += input.isNull ? "|null" : "|T";
            for (char16_t unit : input.text) key += std::to_string(unit) + ",";
            break;
        case ProbeInput::Kind::Number: key += "|N" + std::to_string(input.number); break;
        case ProbeInput::Kind::Flag: key += "|F" + std::to_string(input.flag); break;
        }
    }
    return key;
}

// One thread's JNIEnv, arguments and findings.
struct Worker {
    int index = 0;
    FakeJni jni;
    std::vector<std::vector<JavaValue>> arguments;  // per row
    std::vector<std::string> expectedKeys;          // per row
    std::vector<std::string> lines;
    int wrongResults = 0;
    std::string firstWrong;

    Worker(int thread, const std::vector<NativeRow>& rows) : index(thread)
    {
        for (size_t r = 0; r < rows.size(); ++r) {
            std::vector<JavaValue> values;
            std::vector<ProbeInput> inputs;
            const auto& parameters = rows[r].native.parameters;
            for (size_t p = 0; p < parameters.size(); ++p) {
                JavaValue value;
                ProbeInput input{};
                switch (parameters[p]) {
                case JavaType::String: {
                    // Non-ASCII, a supplementary character, and this thread's mark.
                    const std::string mark = std::to_string(thread) + "-" + std::to_string(r) + "-" + std::to_string(p);
                    value.string = jni.NewJavaString("t\xC3\xA9" + mark + "\xED\xA0\xBD\xED\xB8\x80");
                    input.kind = ProbeInput::Kind::Text;
                    input.text = u"t\u00E9" + std::u16string(mark.begin(), mark.end()) + u"\U0001F600";
                    break;
                }
                case JavaType::Int:
                    value.number = static_cast<jint>(thread * 1000003 + static_cast<int>(r * 7 + p)) * (p % 2 ? -1 : 1);
                    input.kind = ProbeInput::Kind::Number;
                    input.number = value.number;
                    break;
                case JavaType::Boolean:
                    value.flag = (thread + r + p) % 2 ? JNI_TRUE : JNI_FALSE;
                    input.kind = ProbeInput::Kind::Flag;
                    input.flag = value.flag ? 1 : 0;
                    break;
                }
                values.push_back(value);
                inputs.push_back(input);
            }
            arguments.push_back(std::move(values));
            expectedKeys.push_back(Key(rows[r].slot, inputs));
        }
    }

    size_t RowOfCall(int call, size_t rowCount) const { return (static_cast<size_t>(index) * 17 + call) % rowCount; }

    void Wrong(const NativeRow& row, const std::string& what)
    {
        if (wrongResults++ == 0) firstWrong = std::string(row.name) + ": " + what;
    }
};

class CallFrameConcurrency : public ::testing::Test {
protected:
    void SetUp() override
    {
        liveStrings_ = JVelComLiveStrings();
        liveErrors_ = JVelComLiveErrorObjects();
        probe_.textAnswer = kTextAnswer;
        probe_.numberAnswer = kNumberAnswer;
        probe_.flagAnswer = VARIANT_TRUE;
        probe_.AddRef();  // the slot's reference
        SetPlugin(nullptr, nullptr, probe_.Plugin());
        referencesBefore_ = probe_.References();
        previousSink_ = SetTraceSink(&ThreadSink);
        for (int t = 0; t < kThreads; ++t) workers_.push_back(std::make_unique<Worker>(t, rows_));
    }

    void TearDown() override
    {
        SetTraceSink(previousSink_);
        SetPlugin(nullptr, nullptr, nullptr);
        probe_.Release();
    }

    // Runs every worker on its own thread, all released at once; `check`
    // judges each result on the worker's thread.
    template <class Check>
    void RunAll(Check check)
    {
        std::atomic<int> ready{0};
        std::vector<std::thread> threads;
        for (auto& worker : workers_) {
            threads.emplace_back([&, w = worker.get()] {
                t_lines = &w->lines;
                ++ready;
                while (ready.load() < kThreads) std::this_thread::yield();
                for (int call = 0; call < kCallsPerThread; ++call) {
                    const size_t r = w->RowOfCall(call, rows_.size());
                    check(*w, rows_[r], rows_[r].native.call(w->jni.Env(), w->arguments[r]));
                }
                t_lines = nullptr;
            });
        }
        for (auto& thread : threads) thread.join();
    }

    // What every run leaves in order: no wrong result, each thread's JNI use
    // sound, exactly the calls made with each thread's own arguments, and
    // nothing left behind.
    void ExpectCallsMadeAndNothingLeft()
    {
        std::vector<std::string> expected;
        for (auto& worker : workers_) {
            SCOPED_TRACE("thread " + std::to_string(worker->index));
            EXPECT_EQ(worker->wrongResults, 0) << "first: " << worker->firstWrong;
            EXPECT_TRUE(worker->jni.violations.empty()) << worker->jni.violations.front();
            EXPECT_EQ(worker->jni.lengthCalls, worker->jni.regionCalls) << "a String's length taken, its text not";
            for (int call = 0; call < kCallsPerThread; ++call)
                expected.push_back(worker->expectedKeys[worker->RowOfCall(call, rows_.size())]);
        }
        std::vector<std::string> seen;
        for (const ProbeCall& call : probe_.Calls()) seen.push_back(Key(call.slot, call.inputs));
        EXPECT_EQ(seen.size(), static_cast<size_t>(kThreads) * kCallsPerThread);
        std::sort(expected.begin(), expected.end());
        std::sort(seen.begin(), seen.end());
        EXPECT_TRUE(seen == expected) << "the plug-in saw calls or arguments no thread made";

        EXPECT_EQ(probe_.References(), referencesBefore_) << "a call kept or dropped a plug-in reference";
        EXPECT_EQ(JVelComLiveStrings(), liveStrings_) << "BSTRs leaked";
        EXPECT_EQ(JVelComLiveErrorObjects(), liveErrors_) << "error objects leaked";
    }

    const std::vector<NativeRow>& rows_ = AllNatives();
    ProbePlugin probe_;
    std::vector<std::unique_ptr<Worker>> workers_;
    ULONG referencesBefore_ = 0;
    LONG liveStrings_ = 0;
    LONG liveErrors_ = 0;
    TraceSink previousSink_ = nullptr;
};

TEST_F(CallFrameConcurrency, EveryThreadGetsThePluginsAnswerAndNothingIsLeftBehind)
{
    RunAll([](Worker& w, const NativeRow& row, const NativeResult& result) {
        switch (result.type) {
        case JavaType::Boolean:
            if (result.flag != JNI_TRUE) w.Wrong(row, "false");
            break;
        case JavaType::Int:
            if (result.number != kNumberAnswer) w.Wrong(row, std::to_string(result.number));
            break;
        case JavaType::String:
            if (result.string == nullptr || !w.jni.MadeByLibrary(result.string))
                w.Wrong(row, "no String");
            else if (w.jni.TextOf(result.string) != kTextAnswerBytes)
                w.Wrong(row, "\"" + w.jni.TextOf(result.string) + "\"");
            break;
        }
    });
    for (auto& worker : workers_) EXPECT_TRUE(worker->lines.empty()) << "thread " << worker->index << " traced";
    ExpectCallsMadeAndNothingLeft();
}

TEST_F(CallFrameConcurrency, FailuresAreReportedOnTheCallingThreadWithErrorInformationWhereSupported)
{
    probe_.answer = static_cast<HRESULT>(0x80041234);
    probe_.setsErrorInfo = true;
    probe_.supportsErrorInfoFor = &IID_IWebPlugin2;  // so the rows of IWebPlugin leave it untaken
    RunAll([](Worker& w, const NativeRow& row, const NativeResult& result) {
        switch (result.type) {
        case JavaType::Boolean:
            if (result.flag != JNI_FALSE) w.Wrong(row, "true");
            break;
        case JavaType::Int:
            if (result.number != -99) w.Wrong(row, std::to_string(result.number));
            break;
        case JavaType::String:
            if (result.string == nullptr || w.jni.TextOf(result.string) != "") w.Wrong(row, "not the empty String");
            break;
        }
        // The seven lines of this call's report (six, then the one naming the
        // method) are the last seven of this thread.
        const bool withInfo = row.declaringInterface == &IID_IWebPlugin2;
        const size_t n = w.lines.size();
        if (n < 7 || w.lines[n - 7] != " " || w.lines[n - 5] != "80041234" ||
            w.lines[n - 3] != (withInfo ? "Probe source" : kNullLine) ||
            w.lines[n - 2] != (withInfo ? "Probe description" : kNullLine) ||
            w.lines[n - 1] != "JVelWeb: " + std::string(row.name) + " failed" + (withInfo ? ": Probe description" : ""))
            w.Wrong(row, "report not on this thread or not as expected");
    });
    for (auto& worker : workers_)
        EXPECT_EQ(worker->lines.size(), 7u * kCallsPerThread) << "thread " << worker->index;
    // Error information a thread left untaken went with the thread.
    ExpectCallsMadeAndNothingLeft();
}

}  // namespace
}  // namespace jvelweb::testing
