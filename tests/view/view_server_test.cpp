// The server over real sockets, with a fake device: what a page gets, what a
// drag does, and that stopping ends streams and frees the port.
#define CPPHTTPLIB_USE_POLL
#include <httplib.h>

#include <gtest/gtest.h>

#include <atomic>
#include <memory>
#include <chrono>
#include <mutex>
#include <thread>

#include "simulator/view/view_server.h"

namespace velsim {
namespace {

class FakeDevice {
public:
    ViewSources Sources()
    {
        return {[this] {
                    std::lock_guard<std::mutex> lock(mutex_);
                    ++frames_;
                    return frame_;
                },
                [this](int32_t x, int32_t y) {
                    std::lock_guard<std::mutex> lock(mutex_);
                    frame_.handX = x;
                    frame_.handY = y;
                    frame_.forceX = -x;  // a spring about the origin, to see the answer
                }};
    }
    int Frames()
    {
        std::lock_guard<std::mutex> lock(mutex_);
        return frames_;
    }

private:
    std::mutex mutex_;
    DeviceFrame frame_;
    int frames_ = 0;
};

std::string TokenOf(const std::string& address)
{
    return address.substr(address.find("token=") + 6);
}

class ViewServerTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        std::string error;
        ASSERT_TRUE(server.Start(0, error)) << error;
        token = TokenOf(server.Address());
        client = std::make_unique<httplib::Client>("127.0.0.1", server.Port());
        client->set_read_timeout(5, 0);
    }
    FakeDevice device;
    ViewServer server{device.Sources()};
    std::string token;
    std::unique_ptr<httplib::Client> client;
};

TEST_F(ViewServerTest, ServesThePageWithItsTokenAndOnlyTheEmbeddedFiles)
{
    EXPECT_EQ(server.Address(), "http://127.0.0.1:" + std::to_string(server.Port()) + "/?token=" + token);
    EXPECT_EQ(token.size(), 64u);
    auto page = client->Get(("/?token=" + token).c_str());
    ASSERT_TRUE(page);
    EXPECT_EQ(page->status, 200);
    EXPECT_NE(page->body.find("/view.js?token=" + token), std::string::npos);
    EXPECT_EQ(page->body.find("{{TOKEN}}"), std::string::npos);
    EXPECT_EQ(page->get_header_value("X-Frame-Options"), "DENY");
    for (const char* path : {"/view.js", "/view.css", "/recording.js", "/uPlot.iife.min.js", "/uPlot.min.css"}) {
        auto file = client->Get((std::string(path) + "?token=" + token).c_str());
        ASSERT_TRUE(file) << path;
        EXPECT_EQ(file->status, 200) << path;
        EXPECT_GT(file->body.size(), 100u) << path;
    }
    for (const char* path : {"/etc/passwd", "/../CMakeLists.txt", "/index.html", "/page/view.js", "/%2e%2e/x"}) {
        auto missing = client->Get((std::string(path) + "?token=" + token).c_str());
        ASSERT_TRUE(missing) << path;
        EXPECT_EQ(missing->status, 404) << path;
    }
    EXPECT_EQ(client->Get("/view.js")->status, 403);
    EXPECT_NE(NewViewToken(), NewViewToken());
}

TEST_F(ViewServerTest, ADragMovesTheHandAndTheStreamCarriesItsAnswer)
{
    auto moved = client->Post(("/hand?token=" + token + "&x=300&y=-40").c_str());
    ASSERT_TRUE(moved);
    EXPECT_EQ(moved->status, 204);
    for (const char* bad : {"&x=3", "&x=a&y=1", "&x=1e3&y=1", "&x=9999999999&y=1"})
        EXPECT_EQ(client->Post(("/hand?token=" + token + bad).c_str())->status, 400) << bad;

    std::string received;
    httplib::Client stream("127.0.0.1", server.Port());
    stream.Get(("/events?token=" + token).c_str(), [&](const char* data, size_t length) {
        received.append(data, length);
        return received.find("\n\n") == std::string::npos;  // one event is enough
    });
    EXPECT_EQ(received.rfind("data: {", 0), 0u) << received;
    EXPECT_NE(received.find("\"hand\":[300,-40]"), std::string::npos) << received;
    EXPECT_NE(received.find("\"force\":[-300,0]"), std::string::npos) << received;
}

TEST_F(ViewServerTest, StreamsAreBoundedAndStoppingEndsThemAndFreesThePort)
{
    std::atomic<int> events{0};
    std::vector<std::thread> watchers;
    for (int i = 0; i < 4; ++i) {
        watchers.emplace_back([&] {
            httplib::Client stream("127.0.0.1", server.Port());
            stream.set_read_timeout(10, 0);
            stream.Get(("/events?token=" + token).c_str(), [&](const char*, size_t) {
                ++events;
                return true;  // until the server ends the stream
            });
        });
    }
    while (events < 40) std::this_thread::sleep_for(std::chrono::milliseconds(10));
    EXPECT_EQ(client->Get(("/events?token=" + token).c_str())->status, 503) << "a fifth page is refused";
    const int port = server.Port();
    const auto before = std::chrono::steady_clock::now();
    server.Stop();
    for (std::thread& watcher : watchers) watcher.join();
    EXPECT_LT(std::chrono::steady_clock::now() - before, std::chrono::seconds(5));
    EXPECT_FALSE(server.Running());
    // The same port can be had again at once, and the frames stop.
    const int frames = device.Frames();
    std::string error;
    ASSERT_TRUE(server.Start(port, error)) << error;
    EXPECT_EQ(server.Port(), port);
    ViewServer second{device.Sources()};
    EXPECT_FALSE(second.Start(port, error));
    EXPECT_NE(error.find("cannot listen on 127.0.0.1:" + std::to_string(port)), std::string::npos) << error;
    std::this_thread::sleep_for(std::chrono::milliseconds(100));
    EXPECT_EQ(device.Frames(), frames) << "no page watches, so no frame is made";
}

}  // namespace
}  // namespace velsim
