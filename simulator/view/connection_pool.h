// The view server's connection pool. cpp-httplib's own pool queues every
// accepted connection without limit, so a thousand idle connections would
// stand in front of the page for as long as their read timeouts. Here a
// connection beyond the workers and a short waiting line goes to a few
// refusers instead, which answer it 503 (see RefusingThisConnection), and
// the workers stay free for the page. Every task runs, a refused one too:
// running it is what closes its socket.
#pragma once

#include <condition_variable>
#include <deque>
#include <functional>
#include <mutex>
#include <thread>
#include <vector>

namespace velsim {

// True on a refuser thread: the request in hand is to be answered 503.
bool RefusingThisConnection();

class ConnectionPool {
public:
    ConnectionPool(size_t workers, size_t waiting, size_t refusers);
    ~ConnectionPool();  // shuts down
    ConnectionPool(const ConnectionPool&) = delete;
    ConnectionPool& operator=(const ConnectionPool&) = delete;

    void Enqueue(std::function<void()> task);
    // Runs what is queued, then joins every thread.
    void Shutdown();

private:
    struct Line {
        std::deque<std::function<void()>> tasks;
        size_t busy = 0;
    };
    void Serve(Line& line, bool refusing);

    const size_t workers_;
    const size_t waiting_;
    std::mutex mutex_;
    std::condition_variable ready_;
    bool shuttingDown_ = false;
    Line served_;
    Line refused_;
    std::vector<std::thread> threads_;
};

}  // namespace velsim
