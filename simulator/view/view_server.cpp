// The one unit that includes cpp-httplib. poll() instead of select(), so a
// socket numbered past FD_SETSIZE (common in a JVM) is served, not overrun;
// small request limits, since the page's own requests are a line or two.
#define CPPHTTPLIB_USE_POLL
#define CPPHTTPLIB_REQUEST_URI_MAX_LENGTH 2048
#define CPPHTTPLIB_HEADER_MAX_LENGTH 4096
#include "simulator/view/view_server.h"

#include <httplib.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <condition_variable>
#include <mutex>
#include <random>
#include <thread>

#include "simulator/view/connection_pool.h"
#include "simulator/view/frame_json.h"
#include "simulator/view/listening_socket.h"
#include "simulator/view/page_assets.h"
#include "simulator/view/request_guard.h"
#include "simulator/view/signal_disposition.h"

namespace velsim {

namespace {

class PoolQueue final : public httplib::TaskQueue {
public:
    explicit PoolQueue(const ViewLimits& limits) : pool_(limits.workers, limits.waiting, limits.refusers) {}
    void enqueue(std::function<void()> task) override { pool_.Enqueue(std::move(task)); }
    void shutdown() override { pool_.Shutdown(); }

private:
    ConnectionPool pool_;
};

// A strict decimal integer of at most 9 digits, optionally negative.
bool ParseCoordinate(const std::string& text, int32_t& value)
{
    size_t i = text.size() > 0 && text[0] == '-' ? 1 : 0;
    if (text.size() == i || text.size() - i > 9) return false;
    int32_t magnitude = 0;
    for (; i < text.size(); ++i) {
        if (text[i] < '0' || text[i] > '9') return false;
        magnitude = magnitude * 10 + (text[i] - '0');
    }
    value = text[0] == '-' ? -magnitude : magnitude;
    return true;
}

}  // namespace

std::string NewViewToken()
{
    // getrandom on Linux, rand_s (the system's generator) with MinGW.
    std::random_device source;
    static const char hex[] = "0123456789abcdef";
    std::string token;
    for (int i = 0; i < 8; ++i) {
        uint32_t word = source();
        for (int nibble = 0; nibble < 8; ++nibble, word >>= 4) token += hex[word & 0xf];
    }
    return token;
}

struct ViewServer::State {
    ViewSources sources;
    ViewLimits limits;
    std::unique_ptr<httplib::Server> server;
    std::thread listener, ticker;
    std::atomic<bool> listenerDone{false};
    int port = 0;
    std::string token;

    // The latest frame, handed from the ticker to every stream.
    std::mutex mutex;
    std::condition_variable newFrame, work;
    std::string latest;
    uint64_t sequence = 0;
    size_t streams = 0;
    bool kicked = false;
    bool stopping = false;

    void Tick();
    bool WaitNewer(uint64_t& seen, std::string& json);
    void Route();
};

void ViewServer::State::Tick()
{
    const auto period = std::chrono::microseconds(1000000 / std::max(1, limits.framesPerSecond));
    std::unique_lock<std::mutex> lock(mutex);
    auto next = std::chrono::steady_clock::now();
    while (!stopping) {
        if (streams == 0) {
            work.wait(lock, [&] { return stopping || streams > 0; });
            continue;
        }
        work.wait_until(lock, next, [&] { return stopping || kicked; });
        if (stopping) break;
        kicked = false;
        lock.unlock();
        std::string json;
        try {
            json = FrameJson(sources.frame());
        } catch (...) {
            json.clear();  // out of memory: this tick sends nothing
        }
        // A fixed schedule, so making the frame does not slow the rate; one
        // that fell behind starts again from now rather than bursting.
        next += period;
        if (next < std::chrono::steady_clock::now()) next = std::chrono::steady_clock::now() + period;
        lock.lock();
        if (!json.empty()) {
            latest = std::move(json);
            ++sequence;
            newFrame.notify_all();
        }
    }
    newFrame.notify_all();
}

bool ViewServer::State::WaitNewer(uint64_t& seen, std::string& json)
{
    std::unique_lock<std::mutex> lock(mutex);
    newFrame.wait(lock, [&] { return stopping || sequence > seen; });
    if (stopping) return false;
    seen = sequence;
    json = latest;
    return true;
}

void ViewServer::State::Route()
{
    httplib::Server& http = *server;
    http.set_payload_max_length(limits.requestBytes);
    http.set_read_timeout(2, 0);
    http.set_write_timeout(2, 0);
    http.set_keep_alive_timeout(2);
    http.set_default_headers({
        {"Cache-Control", "no-store"},
        {"X-Content-Type-Options", "nosniff"},
        {"X-Frame-Options", "DENY"},
        {"Referrer-Policy", "no-referrer"},
        {"Content-Security-Policy",
         "default-src 'self'; style-src 'self' 'unsafe-inline'; img-src 'self' data:; frame-ancestors 'none'"},
    });
    http.set_pre_routing_handler([this](const httplib::Request& request, httplib::Response& response) {
        if (RefusingThisConnection()) {
            response.status = 503;
            response.set_header("Connection", "close");
            response.set_content("Too many connections to the simulated device's view\n", "text/plain");
            return httplib::Server::HandlerResponse::Handled;
        }
        const std::string host = request.get_header_value("Host");
        const std::string origin = request.get_header_value("Origin");
        const std::string given = request.get_param_value("token");
        const GuardVerdict verdict = CheckRequest({request.remote_addr, host, origin, given}, token, port);
        if (verdict.status == 200) return httplib::Server::HandlerResponse::Unhandled;
        response.status = verdict.status;
        response.set_content(std::string(verdict.reason) + "\n", "text/plain");
        return httplib::Server::HandlerResponse::Handled;
    });
    http.Get("/events", [this](const httplib::Request&, httplib::Response& response) {
        {
            std::lock_guard<std::mutex> lock(mutex);
            if (streams >= limits.streams) {
                response.status = 503;
                response.set_content("Too many pages are watching the simulated device\n", "text/plain");
                return;
            }
            ++streams;
        }
        work.notify_all();
        uint64_t seen = 0;
        response.set_chunked_content_provider(
            "text/event-stream",
            [this, seen](size_t, httplib::DataSink& sink) mutable {
                try {
                    std::string json;
                    if (!WaitNewer(seen, json)) {
                        sink.done();
                        return true;
                    }
                    const std::string event = "data: " + json + "\n\n";
                    return sink.write(event.data(), event.size());
                } catch (...) {
                    return false;  // drops this stream only
                }
            },
            [this](bool) {
                std::lock_guard<std::mutex> lock(mutex);
                --streams;
            });
    });
    http.Post("/hand", [this](const httplib::Request& request, httplib::Response& response) {
        int32_t x = 0, y = 0;
        if (!ParseCoordinate(request.get_param_value("x"), x) || !ParseCoordinate(request.get_param_value("y"), y)) {
            response.status = 400;
            response.set_content("x and y must be integers (screen pixels)\n", "text/plain");
            return;
        }
        sources.moveHand(x, y);
        {
            std::lock_guard<std::mutex> lock(mutex);
            kicked = true;
        }
        work.notify_all();
        response.status = 204;
    });
    // Last: the first pattern that matches a path wins, and this one matches "/events".
    http.Get(R"(/[A-Za-z.]*)", [this](const httplib::Request& request, httplib::Response& response) {
        const PageAsset* asset = FindPageAsset(request.path);
        if (asset == nullptr) {
            response.status = 404;
            return;
        }
        std::string body(asset->body);
        if (request.path == "/") {
            // The page names its scripts and streams with the token it was opened with.
            for (size_t at = body.find("{{TOKEN}}"); at != std::string::npos; at = body.find("{{TOKEN}}", at))
                body.replace(at, 9, token);
        }
        response.set_content(body, std::string(asset->contentType).c_str());
    });
}

ViewServer::ViewServer(ViewSources sources, ViewLimits limits) : state_(std::make_unique<State>())
{
    state_->sources = std::move(sources);
    state_->limits = limits;
}

ViewServer::~ViewServer()
{
    Stop();
}

bool ViewServer::Start(int port, std::string& error)
{
    Stop();
    State& state = *state_;
    {
        KeepSignalDisposition keep;
        state.server = std::make_unique<httplib::Server>();
    }
    const ViewLimits limits = state.limits;
    state.server->set_socket_options([](socket_t socket) { SetListeningOptions(static_cast<uintptr_t>(socket)); });
    state.server->new_task_queue = [limits] { return new PoolQueue(limits); };
    state.token = NewViewToken();
    state.port = port == 0 ? state.server->bind_to_any_port("127.0.0.1")
                           : (state.server->bind_to_port("127.0.0.1", port) ? port : -1);
    if (state.port <= 0) {
        error = "cannot listen on 127.0.0.1:" + std::to_string(port) + " (is the port in use?)";
        state.server.reset();
        state.port = 0;
        return false;
    }
    state.Route();
    {
        std::lock_guard<std::mutex> lock(state.mutex);
        state.stopping = false;
        state.sequence = 0;
    }
    state.listenerDone = false;
    state.listener = std::thread([&state] {
        state.server->listen_after_bind();
        state.listenerDone = true;
    });
    // stop() before the loop runs would be lost: wait until it runs (or ended).
    while (!state.server->is_running() && !state.listenerDone)
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    state.ticker = std::thread([&state] { state.Tick(); });
    return true;
}

void ViewServer::Stop()
{
    State& state = *state_;
    if (!state.server) return;
    {
        std::lock_guard<std::mutex> lock(state.mutex);
        state.stopping = true;
    }
    state.work.notify_all();
    state.newFrame.notify_all();
    state.server->stop();
    if (state.listener.joinable()) state.listener.join();
    if (state.ticker.joinable()) state.ticker.join();
    state.server.reset();
    state.port = 0;
}

bool ViewServer::Running() const
{
    return state_->server != nullptr;
}

int ViewServer::Port() const
{
    return state_->port;
}

std::string ViewServer::Address() const
{
    return "http://127.0.0.1:" + std::to_string(state_->port) + "/?token=" + state_->token;
}

}  // namespace velsim
