// The delete race and fork, each in one fixed order through the borrower
// seam (a pause between a borrower's mark store and its re-read of the slot,
// built only into this suite). A borrower parks there with its mark on the
// plug-in; then _jni_delete runs, in this process or in a forked child.
#include <com_velmora_jvelweb_JVelWeb.h>
#include <gtest/gtest.h>

#include <dlfcn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <atomic>
#include <chrono>
#include <thread>

#include "bridge/plugin_handle.h"
#include "natives/call_frame.h"
#include "tests/support/fake_jni.h"
#include "tests/support/probe_plugin.h"

namespace {

std::atomic<int> g_barriers{0};

}  // namespace

// The layer's process-wide barrier, interposed: counted, then run. It is
// what makes a borrower's mark visible to _jni_delete; in a fixed order the
// mark is visible anyway, so only the count shows that the barrier ran.
STDAPI_(void) FlushProcessWriteBuffers()
{
    using Barrier = void (*)();
    static const auto real = reinterpret_cast<Barrier>(dlsym(RTLD_NEXT, "FlushProcessWriteBuffers"));
    real();
    g_barriers.fetch_add(1);
}

namespace jvelweb::testing {
namespace {

constexpr char kGetGain[] = "GetGain";
constexpr LONG kAnswer = 7;

// The seam: the armed thread parks there once, until released.
std::atomic<bool> g_parked{false}, g_released{false};
thread_local bool t_armed = false;

void ParkIfArmed()
{
    if (!t_armed) return;
    t_armed = false;
    g_parked = true;
    while (!g_released) std::this_thread::yield();
}

class BorrowSeam : public ::testing::Test {
protected:
    void SetUp() override
    {
        handle_detail::afterMarkStored = &ParkIfArmed;
        g_parked = g_released = false;
        probe_.numberAnswer = kAnswer;
        probe_.Plugin()->AddRef();  // the slot's reference
        ASSERT_TRUE(InstallPlugin(nullptr, nullptr, probe_.Plugin()));
        // The borrower: a GetGain that parks at the seam with its mark set.
        borrower_ = std::thread([this] {
            FakeJni jni;
            t_armed = true;
            result_ = CallPlugin<jint, kGetGain>(jni.Env(), &IWebPlugin2::GetGain, jni.NewJavaString("effect"), 0);
        });
        while (!g_parked) std::this_thread::yield();
    }
    void TearDown() override
    {
        if (borrower_.joinable()) {
            g_released = true;
            borrower_.join();
        }
        Java_com_velmora_jvelweb_JVelWeb__1jni_1delete(nullptr, nullptr);
        handle_detail::afterMarkStored = nullptr;
        EXPECT_EQ(probe_.References(), 0u) << "references left on the probe";
        EXPECT_EQ(probe_.Resurrections(), 0) << "AddRef'd after its last Release";
        EXPECT_EQ(probe_.CallsWhileDead(), 0) << "called after its last Release";
    }

    ProbePlugin probe_;
    std::thread borrower_;
    jint result_ = 0;
};

// _jni_delete empties the slot, runs the barrier, and waits for the parked
// borrower; the borrower, released, finds the slot changed and gives up:
// the failure value, and the probe is never AddRef'd after its last Release
// (TearDown). Without the re-read the borrower would answer 7.
TEST_F(BorrowSeam, DeleteBetweenTheMarkAndTheReReadLeavesTheBorrowerEmptyHanded)
{
    const int barriersBefore = g_barriers.load();
    std::thread deleter([] { Java_com_velmora_jvelweb_JVelWeb__1jni_1delete(nullptr, nullptr); });
    // Released once the barrier has run with the slot empty; if it never
    // runs, after a second, so that the test ends and says so.
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(1);
    while ((GetPlugin(nullptr, nullptr) != nullptr || g_barriers.load() == barriersBefore) &&
           std::chrono::steady_clock::now() < deadline)
        std::this_thread::yield();
    EXPECT_EQ(GetPlugin(nullptr, nullptr), nullptr) << "the slot was not emptied";
    EXPECT_GT(g_barriers.load(), barriersBefore) << "_jni_delete waited without the process-wide barrier";
    g_released = true;
    borrower_.join();
    deleter.join();
    EXPECT_EQ(result_, -99) << "the borrower took the plug-in _jni_delete had withdrawn";
    EXPECT_TRUE(probe_.Calls().empty()) << "the plug-in was called";
}

// A child forked while the borrower is marked has only the forking thread:
// its _jni_delete must not wait for a mark no thread of it will clear. A
// hang ends the child by alarm.
TEST_F(BorrowSeam, ForkedChildDeletesDespiteAMarkOfAThreadItDoesNotHave)
{
    const pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        alarm(10);
        Java_com_velmora_jvelweb_JVelWeb__1jni_1delete(nullptr, nullptr);
        _exit(GetPlugin(nullptr, nullptr) == nullptr && probe_.References() == 0 ? 0 : 1);
    }
    int status = 0;
    ASSERT_EQ(waitpid(child, &status, 0), child);
    EXPECT_TRUE(WIFEXITED(status)) << "the child's _jni_delete hung (signal "
                                   << (WIFSIGNALED(status) ? WTERMSIG(status) : 0) << ")";
    EXPECT_EQ(WIFEXITED(status) ? WEXITSTATUS(status) : -1, 0) << "the child kept the plug-in";
    g_released = true;
    borrower_.join();
    EXPECT_EQ(result_, kAnswer) << "in the parent the slot still held the plug-in";
}

}  // namespace
}  // namespace jvelweb::testing
