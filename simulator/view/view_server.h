// The live view's HTTP server: the page's embedded files, a stream of device
// frames as server-sent events, and the hand that a drag on the page moves.
// It listens on 127.0.0.1 only, wants the token on every request, and knows
// the simulator only through two functions, so that it holds no COM
// reference and tests can feed it a fake device.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>

#include "simulator/device/device_frame.h"

namespace velsim {

struct ViewSources {
    std::function<DeviceFrame()> frame;                 // thread-safe: a copy of the device now
    std::function<void(int32_t, int32_t)> moveHand;     // screen pixels
};

// The bounds that keep a hostile client from starving the page.
struct ViewLimits {
    size_t workers = 8;          // connections served at once
    size_t waiting = 16;         // accepted connections waiting for a worker
    size_t refusers = 2;         // threads that answer 503 to the rest
    size_t streams = 4;          // pages streaming frames at once
    size_t requestBytes = 1024;  // the largest request body
    int framesPerSecond = 60;
};

class ViewServer {
public:
    explicit ViewServer(ViewSources sources, ViewLimits limits = {});
    ~ViewServer();  // stops
    ViewServer(const ViewServer&) = delete;
    ViewServer& operator=(const ViewServer&) = delete;

    // Listens on 127.0.0.1:port (0: a free port) with a fresh random token.
    // False, with the reason in `error`, when the port cannot be had.
    bool Start(int port, std::string& error);
    // Closes the port, ends every stream and joins every thread. Must not be
    // called while holding a lock that `sources` take.
    void Stop();

    bool Running() const;
    int Port() const;
    // http://127.0.0.1:PORT/?token=TOKEN
    std::string Address() const;


private:
    struct State;
    std::unique_ptr<State> state_;
};

// 32 random bytes as 64 hexadecimal digits, from the system's random source.
std::string NewViewToken();

}  // namespace velsim
