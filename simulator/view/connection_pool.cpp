#include "simulator/view/connection_pool.h"

namespace velsim {

namespace {
thread_local bool t_refusing = false;
}  // namespace

bool RefusingThisConnection()
{
    return t_refusing;
}

ConnectionPool::ConnectionPool(size_t workers, size_t waiting, size_t refusers)
    : workers_(workers), waiting_(waiting)
{
    for (size_t i = 0; i < workers; ++i) threads_.emplace_back([this] { Serve(served_, false); });
    for (size_t i = 0; i < refusers; ++i) threads_.emplace_back([this] { Serve(refused_, true); });
}

ConnectionPool::~ConnectionPool()
{
    Shutdown();
}

void ConnectionPool::Enqueue(std::function<void()> task)
{
    {
        std::lock_guard<std::mutex> lock(mutex_);
        Line& line = served_.tasks.size() + served_.busy < workers_ + waiting_ ? served_ : refused_;
        line.tasks.push_back(std::move(task));
    }
    ready_.notify_all();
}

void ConnectionPool::Shutdown()
{
    {
        std::lock_guard<std::mutex> lock(mutex_);
        if (shuttingDown_ && threads_.empty()) return;
        shuttingDown_ = true;
    }
    ready_.notify_all();
    for (std::thread& thread : threads_)
        if (thread.joinable()) thread.join();
    threads_.clear();
}

void ConnectionPool::Serve(Line& line, bool refusing)
{
    t_refusing = refusing;
    for (;;) {
        std::function<void()> task;
        {
            std::unique_lock<std::mutex> lock(mutex_);
            ready_.wait(lock, [&] { return shuttingDown_ || !line.tasks.empty(); });
            // Queued connections are still served at shutdown, so each is closed.
            if (line.tasks.empty()) return;
            // Refusers take the newest first: a page that arrives during a
            // flood of idle connections hears 503 at once, not after them all.
            if (refusing) {
                task = std::move(line.tasks.back());
                line.tasks.pop_back();
            } else {
                task = std::move(line.tasks.front());
                line.tasks.pop_front();
            }
            ++line.busy;
        }
        task();
        std::lock_guard<std::mutex> lock(mutex_);
        --line.busy;
    }
}

}  // namespace velsim
