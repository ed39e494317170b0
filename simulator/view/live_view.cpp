#include "simulator/view/live_view.h"

#include <cstdio>
#include <mutex>
#include <set>

#include "simulator/view/view_setting.h"

namespace velsim {

namespace {

// The live views of this module. A static object: its destructor runs when
// the module is unloaded (or the process ends) and stops what still runs.
class LiveViews {
public:
    ~LiveViews()
    {
        std::lock_guard<std::mutex> lock(mutex_);
        for (ViewServer* server : servers_) server->Stop();
        servers_.clear();
    }
    void Add(ViewServer* server)
    {
        std::lock_guard<std::mutex> lock(mutex_);
        servers_.insert(server);
    }
    void Remove(ViewServer* server)
    {
        std::lock_guard<std::mutex> lock(mutex_);
        servers_.erase(server);
    }

private:
    std::mutex mutex_;
    std::set<ViewServer*> servers_;
};

LiveViews g_liveViews;

void Announce(const std::string& text)
{
    std::fprintf(stderr, "JVelWeb simulated device: %s\n", text.c_str());
    std::fflush(stderr);
}

}  // namespace

LiveView::LiveView(ViewSources sources) : server_(std::move(sources))
{
    g_liveViews.Add(&server_);
}

LiveView::~LiveView()
{
    g_liveViews.Remove(&server_);
    server_.Stop();
}

bool LiveView::Start(int port, std::string& result)
{
    std::string error;
    if (!server_.Start(port, error)) {
        result = "the view did not start: " + error;
        Announce(result);
        return false;
    }
    result = server_.Address();
    Announce(result);
    return true;
}

bool LiveView::StartFromSetting(std::string_view setting)
{
    const ViewSetting parsed = ParseViewSetting(setting);
    if (!parsed.valid) {
        Announce("the view did not start: " + parsed.error);
        return false;
    }
    std::string result;
    return Start(parsed.port, result);
}

void LiveView::Stop()
{
    server_.Stop();
}

std::string LiveView::Address() const
{
    return server_.Address();
}

bool LiveView::Running() const
{
    return server_.Running();
}

}  // namespace velsim
