// A simulator object's live view: its server, started from the view's switch
// or from the control interface, announced once on stderr, and stopped when
// the object goes or when the module unloads, whichever comes first. Every
// live view is known to one process-wide list whose destructor (run when the
// module is unloaded) stops the ones still running, so no thread is left
// running code that is about to be unmapped.
#pragma once

#include <string>
#include <string_view>

#include "simulator/view/view_server.h"

namespace velsim {

class LiveView {
public:
    explicit LiveView(ViewSources sources);
    ~LiveView();  // stops
    LiveView(const LiveView&) = delete;
    LiveView& operator=(const LiveView&) = delete;

    // Starts on 127.0.0.1:port (a running view is stopped first) and prints
    // "JVelWeb simulated device: ADDRESS" on stderr. On success `result` is
    // the address; otherwise the reason, which is printed too.
    bool Start(int port, std::string& result);
    // Starts from the switch's text (see ParseViewSetting); a refused setting
    // is printed and nothing opens.
    bool StartFromSetting(std::string_view setting);
    // Never call with a lock held that the sources take.
    void Stop();
    bool Running() const;
    // http://127.0.0.1:PORT/?token=TOKEN while running.
    std::string Address() const;

private:
    ViewServer server_;
};

}  // namespace velsim
