// _jni_initialize and _jni_delete run while other threads are inside natives,
// against the probe factory, whose probes count what a real plug-in would do
// on freed memory (an AddRef from 0 after the last Release, an operation at a
// count of 0). Callers go over every native; every answer must be the
// plug-in's or the failure value, and afterwards every probe has been released
// exactly as often as it was AddRef'd. Built with JVELWEB_SANITIZE=address or
// thread, the sanitizer watches the same run. JVELWEB_STRESS_SECONDS sets
// how long the stress runs (2 s by default).
#include <com_velmora_jvelweb_JVelWeb.h>
#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <cstdlib>
#include <memory>
#include <string>
#include <thread>
#include <vector>

#include "bridge/plugin_handle.h"
#include "tests/natives/native_table.h"
#include "tests/support/fake_jni.h"
#include "tests/support/ole_text.h"
#include "tests/support/probe_plugin.h"

namespace jvelweb::testing {
namespace {

constexpr LONG kNumberAnswer = 4242;
const std::string kTextAnswerBytes = "held";

double StressSeconds()
{
    const char* text = std::getenv("JVELWEB_STRESS_SECONDS");
    const double seconds = text != nullptr ? std::atof(text) : 0.0;
    return seconds > 0 ? seconds : 2.0;
}

void ConfigureProbe(ProbePlugin& probe)
{
    probe.recordsCalls = false;
    probe.numberAnswer = kNumberAnswer;
    probe.flagAnswer = VARIANT_TRUE;
    probe.textAnswer = u"held";
}

// A plug-in that takes a while to start, as a real one does (the simulated
// plug-in opens its device), which widens the window two initialises share.
void ConfigureSlowProbe(ProbePlugin& probe)
{
    ConfigureProbe(probe);
    const auto until = std::chrono::steady_clock::now() + std::chrono::microseconds(200);
    while (std::chrono::steady_clock::now() < until) {
    }
}

jint Initialize(JNIEnv* env, jint flag) { return Java_com_velmora_jvelweb_JVelWeb__1jni_1initialize(env, nullptr, flag); }
jint Delete(JNIEnv* env) { return Java_com_velmora_jvelweb_JVelWeb__1jni_1delete(env, nullptr); }

// All threads wait here until the last one arrives; reusable round after round.
class SpinBarrier {
public:
    explicit SpinBarrier(int parties) : parties_(parties) {}
    void Wait()
    {
        const int generation = generation_.load();
        if (arrived_.fetch_add(1) + 1 == parties_) {
            arrived_.store(0);
            generation_.fetch_add(1);
        } else {
            while (generation_.load() == generation) std::this_thread::yield();
        }
    }

private:
    const int parties_;
    std::atomic<int> arrived_{0};
    std::atomic<int> generation_{0};
};

class Lifecycle : public ::testing::Test {
protected:
    void SetUp() override
    {
        liveStrings_ = LiveStrings();
        CoInitialize(nullptr);  // the factory registers and revokes on an initialised thread
        factory_ = std::make_unique<ProbeFactory>();
        factory_->configure = &ConfigureProbe;
    }

    void TearDown() override
    {
        FakeJni jni;
        Delete(jni.Env());  // whatever a failed test left held
        // Counted over all probes, so a fault shows as one line, not thousands.
        size_t leaked = 0, resurrected = 0, calledDead = 0;
        for (const auto& probe : factory_->Made()) {
            leaked += probe->References() != 0;
            resurrected += probe->Resurrections() != 0;
            calledDead += probe->CallsWhileDead() != 0;
        }
        const size_t made = factory_->Made().size();
        EXPECT_EQ(leaked, 0u) << "plug-ins still referenced, of " << made;
        EXPECT_EQ(resurrected, 0u) << "plug-ins AddRef'd after their last Release, of " << made;
        EXPECT_EQ(calledDead, 0u) << "plug-ins called after their last Release, of " << made;
        factory_.reset();
        CoUninitialize();
        EXPECT_LIVE(LiveStrings(), liveStrings_) << "BSTRs leaked";
    }

    std::unique_ptr<ProbeFactory> factory_;
    LONG liveStrings_ = 0;
};

// One calling thread: goes over every native again and again, with a fresh
// fake JNIEnv per round so its Strings do not pile up.
struct Caller {
    long answered = 0;
    long refused = 0;
    std::vector<std::string> wrong;
    std::vector<std::string> jniFaults;

    void Run(const std::atomic<bool>& stop)
    {
        const auto& rows = AllNatives();
        while (!stop.load()) {
            FakeJni jni;
            for (const NativeRow& row : rows) {
                std::vector<JavaValue> values;
                for (JavaType type : row.native.parameters) {
                    JavaValue value;
                    if (type == JavaType::String) value.string = jni.NewJavaString("effect");
                    if (type == JavaType::Int) value.number = 1;
                    values.push_back(value);
                }
                Judge(jni, row, row.native.call(jni.Env(), values));
            }
            if (!jni.violations.empty()) jniFaults.push_back(jni.violations.front());
        }
    }

    // The plug-in's answer counts as answered, the failure value as refused.
    void Judge(FakeJni& jni, const NativeRow& row, const NativeResult& result)
    {
        bool isAnswer = false;
        bool isFailure = false;
        switch (result.type) {
        case JavaType::Boolean:
            isAnswer = result.flag == JNI_TRUE;
            isFailure = result.flag == JNI_FALSE;
            break;
        case JavaType::Int:
            isAnswer = result.number == kNumberAnswer;
            isFailure = result.number == -99;
            break;
        case JavaType::String:
            if (result.string == nullptr || !jni.MadeByLibrary(result.string)) break;
            isAnswer = jni.TextOf(result.string) == kTextAnswerBytes;
            isFailure = jni.TextOf(result.string).empty();
            break;
        }
        if (isAnswer) ++answered;
        if (isFailure) ++refused;
        if (!isAnswer && !isFailure && wrong.size() < 5) wrong.push_back(row.name);
    }
};

TEST_F(Lifecycle, InitializeAndDeleteRacingCallsNeitherCrashNorLeak)
{
    constexpr int kCallers = 4;
    constexpr int kCyclers = 2;  // each initialises and deletes, racing the other
    std::atomic<bool> stop{false};
    std::vector<Caller> callers(kCallers);
    std::vector<long> cycles(kCyclers, 0);
    std::vector<long> acquired(kCyclers, 0);
    std::vector<std::thread> threads;
    for (Caller& caller : callers) threads.emplace_back([&caller, &stop] { caller.Run(stop); });
    for (int c = 0; c < kCyclers; ++c) {
        threads.emplace_back([&, c] {
            FakeJni jni;
            for (unsigned round = 0; !stop.load(); ++round) {
                if (Initialize(jni.Env(), static_cast<jint>(round)) == 0) ++acquired[c];
                // Let the callers use it for a moment: 0 to 60 microseconds.
                const auto until = std::chrono::steady_clock::now() + std::chrono::microseconds((round % 7) * 10);
                while (std::chrono::steady_clock::now() < until) {
                }
                EXPECT_EQ(Delete(jni.Env()), 0);
                ++cycles[c];
            }
        });
    }
    std::this_thread::sleep_for(std::chrono::duration<double>(StressSeconds()));
    stop.store(true);
    for (auto& thread : threads) thread.join();

    long answered = 0, refused = 0, made = 0, acquisitions = 0;
    for (const Caller& caller : callers) {
        EXPECT_TRUE(caller.wrong.empty()) << "neither answer nor failure value from " << caller.wrong.front();
        EXPECT_TRUE(caller.jniFaults.empty()) << caller.jniFaults.front();
        answered += caller.answered;
        refused += caller.refused;
    }
    for (int c = 0; c < kCyclers; ++c) acquisitions += acquired[c];
    made = static_cast<long>(factory_->Made().size());
    std::cout << "[ stress   ] " << StressSeconds() << " s, " << kCallers << " callers, " << kCyclers
              << " initialise/delete threads: " << answered << " calls answered, " << refused << " refused, "
              << cycles[0] + cycles[1] << " deletes, " << acquisitions << " plug-ins acquired of " << made
              << " made\n";
    EXPECT_GT(answered, 0) << "no call met a plug-in";
    EXPECT_GT(refused, 0) << "no call met an empty slot";
    EXPECT_LE(acquisitions, made);
}

// Of two _jni_initialize calls at once exactly one acquires; the other
// answers -1 and releases the plug-in it made.
TEST_F(Lifecycle, OfTwoConcurrentInitializesExactlyOneSucceeds)
{
    constexpr int kRounds = 1000;
    factory_->configure = &ConfigureSlowProbe;
    // Only the two threads spin at the barrier, so on two CPUs neither waits
    // for a time slice; the first thread judges each round.
    SpinBarrier barrier(2);
    jint results[2] = {};
    int bothAcquired = 0, neitherAcquired = 0, loserLeaked = 0;
    std::vector<std::thread> threads;
    for (int t = 0; t < 2; ++t) {
        threads.emplace_back([&, t] {
            FakeJni jni;
            for (int round = 0; round < kRounds; ++round) {
                barrier.Wait();  // both start together
                results[t] = Initialize(jni.Env(), round);
                barrier.Wait();
                if (t == 0) {
                    const int successes = (results[0] == 0) + (results[1] == 0);
                    bothAcquired += successes == 2;
                    neitherAcquired += successes == 0;
                    IWebPlugin2* held = GetPlugin(nullptr, nullptr);
                    for (const auto& probe : factory_->Made())
                        loserLeaked += probe->Plugin() != held && probe->References() != 0;
                }
                barrier.Wait();
                Delete(jni.Env());  // the first empties the slot; each balances its own COM
            }
        });
    }
    for (auto& thread : threads) thread.join();
    std::cout << "[ rounds   ] " << kRounds << " rounds of two _jni_initialize at once, " << factory_->Made().size()
              << " plug-ins made\n";
    EXPECT_EQ(bothAcquired, 0) << "rounds in which both returned 0";
    EXPECT_EQ(neitherAcquired, 0) << "rounds in which neither returned 0";
    EXPECT_EQ(loserLeaked, 0) << "a plug-in not in the slot was still referenced";
}

}  // namespace
}  // namespace jvelweb::testing
