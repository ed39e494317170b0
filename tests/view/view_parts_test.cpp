// The view's pure parts: each decides who gets in or what is sent, so each
// table holds the edges an attacker or a typo would hit.
#include <gtest/gtest.h>

#include <atomic>
#include <condition_variable>
#include <mutex>

#include "simulator/view/connection_pool.h"
#include "simulator/view/frame_json.h"
#include "simulator/view/request_guard.h"
#include "simulator/view/view_setting.h"

namespace velsim {
namespace {

TEST(ViewSetting, PortsAndLoopbackHostsPassEverythingElseIsRefusedWithItsReason)
{
    struct Row { const char* text; int port; const char* errorPart; };
    const Row rows[] = {
        {"8080", 8080, nullptr}, {"0", 0, nullptr}, {"65535", 65535, nullptr},
        {"127.0.0.1:0", 0, nullptr}, {"localhost:9000", 9000, nullptr},
        {"0.0.0.0:8080", -1, "127.0.0.1 only; it refuses the address '0.0.0.0'"},
        {"192.168.1.20:80", -1, "refuses the address '192.168.1.20'"},
        {"[::]:80", -1, "refuses the address '[::]'"},
        {":80", -1, "refuses the address ''"},
        {"65536", -1, "not a port from 0 to 65535"}, {"-1", -1, "not a port"},
        {"", -1, "not a port"}, {"80x", -1, "not a port"}, {"127.0.0.1:", -1, "not a port"},
        {"0000000080", -1, "not a port"},
    };
    for (const Row& row : rows) {
        const ViewSetting setting = ParseViewSetting(row.text);
        EXPECT_EQ(setting.valid, row.errorPart == nullptr) << row.text;
        if (row.errorPart == nullptr) EXPECT_EQ(setting.port, row.port) << row.text;
        else EXPECT_NE(setting.error.find(row.errorPart), std::string::npos) << row.text << ": " << setting.error;
    }
}

TEST(RequestGuard, OnlyALoopbackPeerNamingThisServerFromItsOwnOriginWithTheTokenGetsIn)
{
    const std::string token(64, 'a');
    const std::string wrong = std::string(63, 'a') + "b";
    struct Row { const char* peer; const char* host; const char* origin; std::string given; int status; const char* why; };
    const Row rows[] = {
        {"127.0.0.1", "127.0.0.1:4567", "", token, 200, ""},
        {"::1", "localhost:4567", "http://localhost:4567", token, 200, ""},
        {"127.0.0.1", "127.0.0.1:4567", "http://127.0.0.1:4567", token, 200, ""},
        {"10.0.0.5", "127.0.0.1:4567", "", token, 403, "Only this machine"},
        {"127.0.0.1", "127.0.0.1:4568", "", token, 403, "Host header"},
        {"127.0.0.1", "attacker.example:4567", "", token, 403, "Host header"},
        {"127.0.0.1", "", "", token, 403, "Host header"},
        {"127.0.0.1", "127.0.0.1:4567", "http://attacker.example", token, 403, "another origin"},
        {"127.0.0.1", "127.0.0.1:4567", "https://127.0.0.1:4567", token, 403, "another origin"},
        {"127.0.0.1", "127.0.0.1:4567", "null", token, 403, "another origin"},
        {"127.0.0.1", "127.0.0.1:4567", "", "", 403, "missing"},
        {"127.0.0.1", "127.0.0.1:4567", "", wrong, 403, "wrong"},
        {"127.0.0.1", "127.0.0.1:4567", "", token.substr(0, 63), 403, "wrong"},
        {"127.0.0.1", "127.0.0.1:4567", "", token + "a", 403, "wrong"},
    };
    for (const Row& row : rows) {
        const GuardVerdict verdict = CheckRequest({row.peer, row.host, row.origin, row.given}, token, 4567);
        EXPECT_EQ(verdict.status, row.status) << row.peer << " " << row.host << " " << row.origin << " " << row.given;
        EXPECT_NE(std::string(verdict.reason).find(row.why), std::string::npos) << verdict.reason;
    }
    EXPECT_FALSE(SameToken("", "")) << "an empty expected token never matches";
}

TEST(FrameJson, WritesEveryFieldAndKeepsAnyNameExact)
{
    DeviceFrame frame;
    frame.millis = 1234567890123;
    frame.screenWidth = 1920, frame.screenHeight = 1080;
    frame.handX = -5, frame.handY = 7, frame.handleX = 10, frame.handleY = 20;
    frame.forceX = -10000, frame.forceY = 10000;
    EffectFrame wall;
    wall.name = u"w\"a\\l\nl\u00e9\U0001F600";
    wall.kind = EffectKind::Enclosure;
    wall.phase = EffectPhase::Fading;
    wall.forceX = 3, wall.forceY = -4;
    for (int i = 0; i < 6; ++i) wall.shape[i] = i * 100 - 1;
    frame.effects = {wall, EffectFrame{}};
    EXPECT_EQ(FrameJson(frame),
              "{\"t\":1234567890123,\"screen\":[1920,1080],\"hand\":[-5,7],\"handle\":[10,20],"
              "\"force\":[-10000,10000],\"effects\":["
              "{\"name\":\"w\\u0022a\\u005cl\\u000al\\u00e9\\ud83d\\ude00\",\"kind\":\"Enclosure\","
              "\"phase\":\"fading\",\"force\":[3,-4],\"shape\":[-1,99,199,299,399,499]},"
              "{\"name\":\"\",\"kind\":\"Constant\",\"phase\":\"done\",\"force\":[0,0],\"shape\":[0,0,0,0,0,0]}]}");
    EXPECT_STREQ(PhaseName(EffectPhase::Waiting), "waiting");
    EXPECT_STREQ(PhaseName(EffectPhase::Playing), "playing");
}

// With one worker and a waiting line of one, a third connection is refused,
// and every one of them still runs (which is what closes its socket).
TEST(ConnectionPool, BeyondTheWorkersAndTheLineConnectionsGoToTheRefusers)
{
    std::mutex mutex;
    std::condition_variable changed;
    bool release = false;
    int served = 0, refused = 0, ran = 0;
    {
        ConnectionPool pool(1, 1, 1);
        auto task = [&](bool block) {
            return [&, block] {
                std::unique_lock<std::mutex> lock(mutex);
                ++(RefusingThisConnection() ? refused : served);
                ++ran;
                changed.notify_all();
                if (block) changed.wait(lock, [&] { return release; });
            };
        };
        pool.Enqueue(task(true));   // the worker, held
        {
            std::unique_lock<std::mutex> lock(mutex);
            changed.wait(lock, [&] { return ran == 1; });
        }
        pool.Enqueue(task(false));  // waits in line
        pool.Enqueue(task(false));  // refused
        pool.Enqueue(task(false));  // refused
        {
            std::unique_lock<std::mutex> lock(mutex);
            changed.wait(lock, [&] { return ran == 3; });
            EXPECT_EQ(served, 1);
            EXPECT_EQ(refused, 2);
            release = true;
            changed.notify_all();
        }
    }  // shuts down: the one in line runs too
    EXPECT_EQ(served, 2);
    EXPECT_EQ(ran, 4);
}

}  // namespace
}  // namespace velsim
